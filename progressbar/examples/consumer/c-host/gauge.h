/* SPDX-License-Identifier: MIT */
#ifndef GAUGE_H
#define GAUGE_H

#ifdef __cplusplus
extern "C" {
#endif

/* Runs a reload gauge on parent (a QWidget*) through the C interface;
 * returns 0 when it behaved as it should. */
int run_reload_gauge(void* parent);

#ifdef __cplusplus
}
#endif

#endif

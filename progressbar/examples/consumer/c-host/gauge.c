/* SPDX-License-Identifier: MIT */
/* A host written in C: it creates the gauge from stored settings, drives it
 * by dispatch identifier as the game does, and saves it again. */
#include "gauge.h"

#include <VelPrgBarApi.h>

#include <stdio.h>
#include <string.h>

/* The container's stored settings: what is not here takes the control's
 * default. */
static void read_setting(void *context, const char *key, const VpbVariant *def, VpbVariant *out)
{
    (void)context;
    *out = *def;
    if (strcmp(key, "FWColor") == 0) {
        out->type = VPB_VT_I4;
        out->v.i4 = 255; /* red, 0x00BBGGRR */
    } else if (strcmp(key, "StringType") == 0) {
        out->type = VPB_VT_I4;
        out->v.i4 = VPB_STYPE_FRACTION;
    } else if (strcmp(key, "Maximum") == 0) {
        out->type = VPB_VT_I4;
        out->v.i4 = 50;
    }
}

static int saved;

static void write_setting(void *context, const char *key, const VpbVariant *value,
                          const VpbVariant *def)
{
    (void)context;
    (void)def;
    if (value->type == VPB_VT_I4)
        printf("saved %s = %d\n", key, (int)value->v.i4);
    ++saved;
}

int run_reload_gauge(void *parent)
{
    const VpbApi *api = VelPrgBar_GetApi(VELPRGBAR_API_VERSION);
    VpbPropertyBag bag = {NULL, read_setting, write_setting};
    VpbControl *gauge;
    VpbVariant zero, result;
    int tick, ok;

    if (!api)
        return 1;
    gauge = api->create(parent, 4890, 390, &bag, NULL); /* twips: 326 x 26 pixels */
    if (!gauge)
        return 1;

    zero.type = VPB_VT_I4;
    zero.v.i4 = 0;
    api->invoke(gauge, VPB_DISPID_VALUE, VPB_INVOKE_PUT, &zero, 1, NULL);
    for (tick = 0; tick < 60; ++tick) /* never past Maximum */
        api->invoke(gauge, VPB_DISPID_COUNTUP, VPB_INVOKE_METHOD, NULL, 0, NULL);

    api->invoke(gauge, VPB_DISPID_VALUE, VPB_INVOKE_GET, NULL, 0, &result);
    ok = result.type == VPB_VT_I4 && result.v.i4 == 50;
    api->invoke(gauge, VPB_DISPID_TEXT, VPB_INVOKE_GET, NULL, 0, &result);
    ok = ok && result.type == VPB_VT_STRING && strcmp(result.v.str, "50/50") == 0;
    printf("caption %s\n", result.v.str);

    api->save(gauge, &bag);
    api->destroy(gauge);
    return ok && saved == 8 ? 0 : 1;
}

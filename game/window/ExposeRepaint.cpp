// SPDX-License-Identifier: MIT
#include "ExposeRepaint.h"

#include <QEvent>
#include <QMargins>
#include <QObject>
#include <QVariant>
#include <QWidget>
#include <QWindow>

// Qt 6.4's Wayland backend draws its own frame only after the compositor
// asks for one, once the window is already shown. It then moves the client
// area into a new, larger buffer and repaints only what is not covered by
// children that paint themselves opaquely: a picture box that no timer
// redraws (the gun gauges) stays empty and shows the desktop through it.
// Repainting the children once whenever the frame has changed mends that at
// no cost between such changes, so the boxes keep their opaque painting.
// Qt 6.8 does not need it; elsewhere (X11, a frame that never changes) it
// does nothing.
namespace {

class ReframeWatcher : public QObject {
public:
    ReframeWatcher(QWidget* widget, QWindow* window)
        : QObject(widget)
        , widget_(widget)
        , window_(window)
        , margins_(window->frameMargins())
    {
        window->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched == window_ && event->type() == QEvent::Expose && window_->frameMargins() != margins_) {
            margins_ = window_->frameMargins();
            for (QWidget* child : widget_->findChildren<QWidget*>())
                child->update();
        }
        return false;
    }

private:
    QWidget* widget_;
    QWindow* window_;
    QMargins margins_;
};

} // namespace

void repaintChildrenOnReframe(QWidget* window)
{
    QWindow* handle = window->windowHandle();
    static const char watched[] = "mortavelReframeWatched";
    if (!handle || window->property(watched).toBool())
        return;
    window->setProperty(watched, true);
    new ReframeWatcher(window, handle);
}

#include "barstyle.h"

#include <QIconEngine>
#include <QPainter>
#include <QPointer>

#include <optional>

namespace {

// An icon of the desktop's style, read when first drawn; none should a
// theme change have replaced the style by then.
class DeferredIconEngine : public QIconEngine {
public:
    DeferredIconEngine(QStyle* style, QStyle::StandardPixmap icon) : style_(style), which_(icon) {}

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override
    {
        Icon().paint(painter, rect, Qt::AlignCenter, mode, state);
    }
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override
    {
        return Icon().pixmap(size, mode, state);
    }
    QIconEngine* clone() const override { return new DeferredIconEngine(style_, which_); }

private:
    const QIcon& Icon()
    {
        if (!icon_)
            icon_ = style_ ? style_->standardIcon(which_) : QIcon();
        return *icon_;
    }

    const QPointer<QStyle> style_;
    const QStyle::StandardPixmap which_;
    std::optional<QIcon> icon_;
};

}  // namespace

BarStyle::BarStyle(QStyle* desktopStyle) : QProxyStyle(desktopStyle) {}

QIcon BarStyle::standardIcon(StandardPixmap icon, const QStyleOption* option, const QWidget* widget) const
{
    if (icon == SP_ToolBarHorizontalExtensionButton || icon == SP_ToolBarVerticalExtensionButton)
        return QIcon(new DeferredIconEngine(baseStyle(), icon));
    return QProxyStyle::standardIcon(icon, option, widget);
}

#pragma once
// CDeferredIconStyle: the application's own style, except that the arrow
// icons it hands out are looked up when first drawn or measured, not when
// asked for. Looking an icon up in the desktop's icon theme means searching
// the theme's folders (hundreds of them in hicolor) and loading the image
// readers; the date box's pop-up calendar asks for its two month arrows when
// it is built, with the main window, though they show only once she opens
// it. Every icon is the one the style gives, only later.

#include <QIcon>
#include <QProxyStyle>

namespace gestalia {

class CDeferredIconStyle final : public QProxyStyle {
  public:
    // Takes `base` over, as QProxyStyle does; null: the desktop's style.
    explicit CDeferredIconStyle(QStyle* base = nullptr);

    QIcon standardIcon(StandardPixmap icon, const QStyleOption* option = nullptr,
                       const QWidget* widget = nullptr) const override;
};

}  // namespace gestalia

// SPDX-License-Identifier: GPL-3.0-or-later
#include "ALComboBox.h"

#include "FlatControl_p.h"

#include <QAbstractItemView>
#include <QCoreApplication>
#include <QFocusEvent>
#include <QPainter>
#include <QPointer>
#include <QProxyStyle>
#include <QStyleOptionComboBox>
#include <QStylePainter>

namespace platterwise {

using flat_p::ResolveColor;

namespace {

// Opens the list below the control, as a drop-down list does, instead of over it as some
// styles do: the open list's colours on the drop-down button stay in sight.
class TDropDownBelowStyle final : public QProxyStyle {
public:
    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* data) const override {
        if (hint == SH_ComboBox_Popup) {
            return 0;
        }
        return QProxyStyle::styleHint(hint, option, widget, data);
    }
};

QStyle* DropDownBelowStyle() {
    static QPointer<QStyle> style;
    if (style.isNull()) {
        style = new TDropDownBelowStyle;
        style->setParent(QCoreApplication::instance());
    }
    return style;
}

} // namespace

TALCustomComboBox::TALCustomComboBox(QWidget* parent)
    : QComboBox(parent) {
    setStyle(DropDownBelowStyle());
    // The list's popup window: its showing and hiding change the arrow's colours.
    view()->window()->installEventFilter(this);
    connect(this, &QComboBox::activated, this, [this] {
        if (OnChange) {
            OnChange(this);
        }
    });
    ApplyPalette();
}

TALCustomComboBox::~TALCustomComboBox() = default;

void TALCustomComboBox::SetColorField(TColor& field, TColor value) {
    if (field == value) {
        return;
    }
    field = value;
    ApplyPalette();
    update();
}

void TALCustomComboBox::SetColor(TColor color) {
    SetColorField(color_, color);
}
void TALCustomComboBox::SetFontColor(TColor color) {
    SetColorField(fontColor_, color);
}
void TALCustomComboBox::SetBorderColor(TColor color) {
    SetColorField(borderColor_, color);
}
void TALCustomComboBox::SetButtonColor(TColor color) {
    SetColorField(buttonColor_, color);
}
void TALCustomComboBox::SetArrowColor(TColor color) {
    SetColorField(arrowColor_, color);
}

// The list and its popup show the control's colours in every state; whether the text is
// grey is the font colour's business, as the skins decide it.
void TALCustomComboBox::ApplyPalette() {
    QPalette pal = palette();
    const QColor back = ResolveColor(color_);
    const QColor text = ResolveColor(fontColor_);
    for (const auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        for (const auto role : {QPalette::Base, QPalette::Window, QPalette::Button}) {
            if (back.isValid()) {
                pal.setColor(group, role, back);
            }
        }
        for (const auto role : {QPalette::Text, QPalette::WindowText, QPalette::ButtonText}) {
            if (text.isValid()) {
                pal.setColor(group, role, text);
            }
        }
    }
    if (pal != palette()) {
        setPalette(pal);
    }
}

bool TALCustomComboBox::DroppedDown() const {
    return view()->window()->isVisible();
}

int TALCustomComboBox::ButtonAreaWidth() const {
    return style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this) + 3;
}

// The native part: the chosen item's text on the background, drawn by the style.
void TALCustomComboBox::PaintNative() {
    ApplyPalette();
    QStylePainter painter(this);
    const QColor back = ResolveColor(color_);
    if (back.isValid()) {
        painter.fillRect(rect(), back);
    }
    QStyleOptionComboBox option;
    initStyleOption(&option);
    option.state &= ~QStyle::State_HasFocus;
    painter.setPen(ResolveColor(fontColor_));
    painter.drawControl(QStyle::CE_ComboBoxLabel, option);
}

void TALCustomComboBox::PaintFlatParts() {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing, false);
    const int w = width();
    const int h = height();
    const QColor back = ResolveColor(color_);
    const QColor border = ResolveColor(borderColor_);
    const QColor frame = borderColor_ == clNone ? back : border;
    if (frame.isValid()) {
        p.setPen(frame);
        p.drawRect(0, 0, w - 1, h - 1);
    }
    const QRect area(w - 1 - ButtonAreaWidth(), 1, ButtonAreaWidth(), h - 2);
    const QColor button = ResolveColor(buttonColor_);
    if (button.isValid()) {
        p.fillRect(area, button);
    }
    if (back.isValid()) {
        p.fillRect(QRect(area.left(), area.top(), 5, area.height()), back);
    }
    if (border.isValid()) {
        p.fillRect(QRect(area.left() + 4, area.top(), 1, area.height()), border);
    }
    const QColor arrow = ResolveColor(arrowColor_);
    if (arrow.isValid()) {
        p.fillRect(QRect(w - 10, 10, 5, 1), arrow);
        p.fillRect(QRect(w - 9, 11, 3, 1), arrow);
        p.fillRect(QRect(w - 8, 12, 1, 1), arrow);
    }
}

void TALCustomComboBox::paintEvent(QPaintEvent*) {
    flat_p::RunPaintPasses(this, OnPaint, [this] { PaintNative(); });
    PaintFlatParts();
}

bool TALCustomComboBox::eventFilter(QObject* watched, QEvent* e) {
    if (e->type() == QEvent::Show || e->type() == QEvent::Hide) {
        update();
    }
    return QComboBox::eventFilter(watched, e);
}

void TALCustomComboBox::changeEvent(QEvent* e) {
    if (e->type() == QEvent::EnabledChange) {
        update();
    }
    QComboBox::changeEvent(e);
}

void TALCustomComboBox::enterEvent(QEnterEvent* e) {
    hot_ = true;
    update();
    QComboBox::enterEvent(e);
}

void TALCustomComboBox::leaveEvent(QEvent* e) {
    hot_ = false;
    update();
    QComboBox::leaveEvent(e);
}

void TALCustomComboBox::focusInEvent(QFocusEvent* e) {
    focused_ = true;
    update();
    QComboBox::focusInEvent(e);
}

void TALCustomComboBox::focusOutEvent(QFocusEvent* e) {
    // Opening the list or switching windows keeps the focus within the control.
    if (e->reason() != Qt::PopupFocusReason && e->reason() != Qt::ActiveWindowFocusReason) {
        focused_ = false;
    }
    update();
    QComboBox::focusOutEvent(e);
}

void TALCustomComboBox::mouseReleaseEvent(QMouseEvent* e) {
    QComboBox::mouseReleaseEvent(e);
    update();
}

} // namespace platterwise

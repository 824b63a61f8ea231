#include "wificfg/WrappingCheckBox.h"

#include <QPainter>
#include <QStyleOptionButton>

WrappingCheckBox::WrappingCheckBox(const QString& text, QWidget* parent) : QCheckBox(text, parent) {}

QRect WrappingCheckBox::textRect() const
{
    QStyleOptionButton option;
    initStyleOption(&option);
    const QRect indicator = style()->subElementRect(QStyle::SE_CheckBoxIndicator, &option, this);
    const int left = indicator.right() + 1 + style()->pixelMetric(QStyle::PM_CheckBoxLabelSpacing, &option, this);
    return QRect(left, 0, width() - left, height());
}

void WrappingCheckBox::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    // The box itself from the style, the text wrapped beside it.
    option.text.clear();
    option.rect = style()->subElementRect(QStyle::SE_CheckBoxIndicator, &option, this);
    option.rect.moveTop(textRect().top() + (fontMetrics().height() - option.rect.height()) / 2);
    style()->drawPrimitive(QStyle::PE_IndicatorCheckBox, &option, &painter, this);
    style()->drawItemText(&painter, textRect(), Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap | Qt::TextShowMnemonic,
                          palette(), isEnabled(), text(), QPalette::WindowText);
    if (hasFocus()) {
        QStyleOptionFocusRect focus;
        focus.initFrom(this);
        focus.rect = fontMetrics().boundingRect(textRect(), Qt::TextWordWrap, text());
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, &painter, this);
    }
}

bool WrappingCheckBox::hitButton(const QPoint& pos) const
{
    return rect().contains(pos);
}

#include "fcs/controls/ListBoxST.h"

#include "fcs/display/ImageLookup.h"

#include <QMouseEvent>
#include <QPainter>
#include <QStyledItemDelegate>

namespace {
constexpr int kIconSize = 32;

class ListBoxDelegate : public QStyledItemDelegate {
public:
    explicit ListBoxDelegate(CListBoxST* list) : QStyledItemDelegate(list), m_list(list) {}

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        const int textWidth = std::max(1, m_list->viewport()->width() - (kIconSize + 6));
        const QRect text = option.fontMetrics.boundingRect(QRect(0, 0, textWidth, 100000), Qt::TextWordWrap,
                                                           index.data(Qt::DisplayRole).toString());
        return QSize(textWidth + kIconSize + 6, std::max(text.height(), kIconSize + 4) + 4);
    }

    void paint(QPainter* p, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        const QListWidgetItem* item = m_list->item(index.row());
        const bool disabled = m_list->IsItemDisabled(item);
        const bool selected = (option.state & QStyle::State_Selected) && !disabled;
        const QPalette& pal = option.palette;
        const QColor window = pal.color(QPalette::Base);
        const QColor text = pal.color(QPalette::Text);
        p->fillRect(option.rect, selected ? pal.color(QPalette::Highlight) : window);
        const int data = index.data(Qt::UserRole).toInt();
        const CPictureImage& icon = m_list->icon(CListBoxST::IconIndex(data));
        icon.DrawStretched(*p, QRect(option.rect.left() + 3, option.rect.top() + 2, kIconSize, kIconSize));
        QColor ink = text;
        if (disabled)
            ink = pal.color(QPalette::Disabled, QPalette::Text);
        else if (selected)
            ink = QColor(~text.rgb() & 0xffffff);
        p->setPen(ink);
        const QRect textRect = option.rect.adjusted(kIconSize + 6, 0, 0, 0);
        p->drawText(textRect, Qt::TextWordWrap | Qt::AlignVCenter | Qt::AlignLeft, index.data().toString());
        if ((option.state & QStyle::State_HasFocus) && !disabled) {
            QStyleOptionFocusRect focus;
            focus.rect = option.rect;
            focus.palette = pal;
            m_list->style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, p, m_list);
        }
    }

private:
    CListBoxST* m_list;
};
}

CListBoxST::CListBoxST(QWidget* parent) : QListWidget(parent)
{
    static const char* const names[3] = {"moduleok", "moduleheld", "moduleoff"};
    for (size_t i = 0; i < 3; ++i)
        m_icons[i].Load(ImageLookup::ImagePath(QString::fromLatin1(names[i])));
    setItemDelegate(new ListBoxDelegate(this));
    setWordWrap(true);
    setResizeMode(QListView::Adjust);
    setUniformItemSizes(false);
}

QListWidgetItem* CListBoxST::AddItem(const QString& text, int data)
{
    auto* item = new QListWidgetItem(text, this);
    item->setData(Qt::UserRole, data);
    return item;
}

int CListBoxST::IconIndex(int data)
{
    if (data & kOfflineBit)
        return 2;
    if (data & kDisabledBit)
        return 1;
    return 0;
}

bool CListBoxST::IsItemDisabled(const QListWidgetItem* item) const
{
    if (!item)
        return false;
    return (item->data(Qt::UserRole).toInt() & kDisabledBit) != 0 || !(item->flags() & Qt::ItemIsEnabled);
}

void CListBoxST::mouseDoubleClickEvent(QMouseEvent* event)
{
    // A module that cannot be chosen swallows the double click.
    if (IsItemDisabled(itemAt(event->position().toPoint()))) {
        event->accept();
        return;
    }
    QListWidget::mouseDoubleClickEvent(event);
}

#pragma once

#include "fcs/display/PictureImage.h"

#include <QListWidget>
#include <array>

// A list of word-wrapped items, each with one of three 32 x 32 icons chosen by
// bits of its item data (Qt::UserRole): 0x4000 icon 2, else 0x8000 icon 1 and
// greyed (cannot be chosen), else icon 0.
class CListBoxST : public QListWidget {
    Q_OBJECT

public:
    static constexpr int kOfflineBit = 0x4000;
    static constexpr int kDisabledBit = 0x8000;

    explicit CListBoxST(QWidget* parent = nullptr);
    QListWidgetItem* AddItem(const QString& text, int data);
    static int IconIndex(int data);
    bool IsItemDisabled(const QListWidgetItem* item) const;
    const CPictureImage& icon(int index) const { return m_icons[static_cast<size_t>(index)]; }

protected:
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    std::array<CPictureImage, 3> m_icons;
};

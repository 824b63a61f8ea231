#pragma once

#include <QDialog>
#include <QHash>

class QLabel;
class QRadioButton;

// "Field Match Allocation": how many fields share the schedule and which one
// this station runs. Each click stores its choice at once, so closing the
// dialog any way keeps what the buttons last said.
class CMatchAllocation : public QDialog {
    Q_OBJECT

public:
    explicit CMatchAllocation(QWidget* parent = nullptr);

    QWidget* control(int id) const { return m_controls.value(id); }
    QString explanation() const;

    int m_nFieldCount = 1; // 0-3: one to four fields
    int m_nField = 0;      // 0-3: field one to four

private:
    void refresh();

    QHash<int, QWidget*> m_controls;
    QRadioButton* m_countButtons[4] = {};
    QRadioButton* m_fieldButtons[4] = {};
    QLabel* m_fieldQuestion = nullptr;
    QLabel* m_explanation = nullptr;
};

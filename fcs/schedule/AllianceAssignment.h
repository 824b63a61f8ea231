#pragma once

#include <QDialog>
#include <QHash>
#include <array>

class QRadioButton;
struct CMatch;

// "Alliance Assignment": which two of each alliance's three teams play.
class CAllianceAssignment : public QDialog {
    Q_OBJECT

public:
    explicit CAllianceAssignment(QWidget* parent = nullptr);

    QWidget* control(int id) const { return m_controls.value(id); }

    // The pair a choice stands for: 0 teams 1 and 2, 1 teams 1 and 3, 2 teams 2 and 3.
    static std::array<QString, 2> RedPair(const CMatch& match, int choice);
    static std::array<QString, 2> BluePair(const CMatch& match, int choice);

    void accept() override;

    int m_nRed = 0;
    int m_nBlue = 0;
    const CMatch* m_pMatch = nullptr;

protected:
    void showEvent(QShowEvent* event) override;

private:
    std::array<QRadioButton*, 3> m_redButtons{};
    std::array<QRadioButton*, 3> m_blueButtons{};
    QHash<int, QWidget*> m_controls;
};

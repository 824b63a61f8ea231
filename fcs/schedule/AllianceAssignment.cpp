#include "fcs/schedule/AllianceAssignment.h"

#include "fcs/resources/StringTable.h"
#include "fcs/schedule/Match.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {
constexpr int kFirstRedButton = 257;
constexpr int kFirstBlueButton = 263;
constexpr int kRedLabel = 4135;
constexpr int kBlueLabel = 4136;

std::array<QString, 2> pairOf(const QString& team1, const QString& team2, const QString& team3,
                              int choice)
{
    switch (choice) {
    case 1: return {team1, team3};
    case 2: return {team2, team3};
    default: return {team1, team2};
    }
}
}

std::array<QString, 2> CAllianceAssignment::RedPair(const CMatch& match, int choice)
{
    return pairOf(match.m_strRed1, match.m_strRed2, match.m_strRed3, choice);
}

std::array<QString, 2> CAllianceAssignment::BluePair(const CMatch& match, int choice)
{
    return pairOf(match.m_strBlue1, match.m_strBlue2, match.m_strBlue3, choice);
}

CAllianceAssignment::CAllianceAssignment(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(Str(4132));
    auto* root = new QVBoxLayout(this);
    auto* alliances = new QHBoxLayout;
    const auto makeGroup = [this, alliances](int titleId, std::array<QRadioButton*, 3>& buttons,
                                             int firstId, const char* placeholder) {
        auto* group = new QGroupBox(Str(titleId), this);
        auto* layout = new QVBoxLayout(group);
        auto* exclusive = new QButtonGroup(group);
        static const char* const kPairs[3][2] = {{"1", "2"}, {"1", "3"}, {"2", "3"}};
        for (int i = 0; i < 3; ++i) {
            const QString label = QStringLiteral("%1%2 / %1%3")
                                      .arg(QLatin1String(placeholder), QLatin1String(kPairs[i][0]),
                                           QLatin1String(kPairs[i][1]));
            auto* button = new QRadioButton(label, group);
            exclusive->addButton(button, i);
            layout->addWidget(button);
            buttons[static_cast<size_t>(i)] = button;
            m_controls.insert(firstId + i, button);
        }
        alliances->addWidget(group);
    };
    makeGroup(4133, m_redButtons, kFirstRedButton, "Red");
    makeGroup(4134, m_blueButtons, kFirstBlueButton, "Blue");
    root->addLayout(alliances);

    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("Cancel"), this);
    connect(ok, &QPushButton::clicked, this, &CAllianceAssignment::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    buttons->addStretch();
    root->addLayout(buttons);
    m_controls.insert(1, ok);
    m_controls.insert(2, cancel);
}

void CAllianceAssignment::showEvent(QShowEvent* event)
{
    m_redButtons[static_cast<size_t>(qBound(0, m_nRed, 2))]->setChecked(true);
    m_blueButtons[static_cast<size_t>(qBound(0, m_nBlue, 2))]->setChecked(true);
    if (m_pMatch) {
        for (int i = 0; i < 3; ++i) {
            const auto red = RedPair(*m_pMatch, i);
            const auto blue = BluePair(*m_pMatch, i);
            m_redButtons[static_cast<size_t>(i)]->setText(FormatMessage(kRedLabel, {red[0], red[1]}));
            m_blueButtons[static_cast<size_t>(i)]->setText(FormatMessage(kBlueLabel, {blue[0], blue[1]}));
        }
    }
    QDialog::showEvent(event);
}

void CAllianceAssignment::accept()
{
    for (int i = 0; i < 3; ++i) {
        if (m_redButtons[static_cast<size_t>(i)]->isChecked())
            m_nRed = i;
        if (m_blueButtons[static_cast<size_t>(i)]->isChecked())
            m_nBlue = i;
    }
    QDialog::accept();
}

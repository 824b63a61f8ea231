#include "fcs/schedule/MatchAllocation.h"

#include "fcs/resources/StringTable.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {
constexpr int kFirstCountButton = 247;
constexpr int kFirstFieldButton = 251;
constexpr int kExplanation = 255;
constexpr int kFieldQuestion = 256;
constexpr int kOk = 1;
}

CMatchAllocation::CMatchAllocation(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(Str(4131));
    auto* root = new QVBoxLayout(this);
    auto* group = new QGroupBox(Str(4126), this);
    auto* layout = new QVBoxLayout(group);

    auto* countQuestion = new QLabel(Str(4127), group);
    layout->addWidget(countQuestion);
    auto* countRow = new QHBoxLayout;
    auto* countGroup = new QButtonGroup(this);
    for (int i = 0; i < 4; ++i) {
        auto* button = new QRadioButton(QString::number(i + 1), group);
        countGroup->addButton(button, i);
        countRow->addWidget(button);
        m_countButtons[i] = button;
        m_controls.insert(kFirstCountButton + i, button);
        connect(button, &QRadioButton::clicked, this, [this, i] {
            m_nFieldCount = i;
            refresh();
        });
    }
    countRow->addStretch();
    countQuestion->setBuddy(m_countButtons[0]);
    layout->addLayout(countRow);

    m_fieldQuestion = new QLabel(Str(4128), group);
    layout->addWidget(m_fieldQuestion);
    auto* fieldRow = new QHBoxLayout;
    auto* fieldGroup = new QButtonGroup(this);
    for (int i = 0; i < 4; ++i) {
        auto* button = new QRadioButton(QString::number(i + 1), group);
        fieldGroup->addButton(button, i);
        fieldRow->addWidget(button);
        m_fieldButtons[i] = button;
        m_controls.insert(kFirstFieldButton + i, button);
        connect(button, &QRadioButton::clicked, this, [this, i] {
            m_nField = i;
            refresh();
        });
    }
    fieldRow->addStretch();
    m_fieldQuestion->setBuddy(m_fieldButtons[0]);
    layout->addLayout(fieldRow);

    m_explanation = new QLabel(group);
    m_explanation->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    m_explanation->setWordWrap(true);
    m_explanation->setMinimumHeight(40);
    layout->addWidget(m_explanation);
    root->addWidget(group);

    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    auto* okRow = new QHBoxLayout;
    okRow->addStretch();
    okRow->addWidget(ok);
    okRow->addStretch();
    root->addLayout(okRow);

    m_controls.insert(kExplanation, m_explanation);
    m_controls.insert(kFieldQuestion, m_fieldQuestion);
    m_controls.insert(kOk, ok);
    refresh();
}

QString CMatchAllocation::explanation() const
{
    if (m_nFieldCount == 0)
        return Str(4129);
    const int f = m_nField + 1;
    const int n = m_nFieldCount + 1;
    return FormatMessage(4130, {f, f + n, f + 2 * n, f + 3 * n});
}

void CMatchAllocation::refresh()
{
    m_nFieldCount = qBound(0, m_nFieldCount, 3);
    if (m_nField > m_nFieldCount || m_nField < 0)
        m_nField = 0;
    m_countButtons[m_nFieldCount]->setChecked(true);
    m_fieldButtons[m_nField]->setChecked(true);

    const bool severalFields = m_nFieldCount > 0;
    m_fieldQuestion->setEnabled(severalFields);
    m_fieldButtons[0]->setEnabled(severalFields);
    for (int i = 1; i < 4; ++i)
        m_fieldButtons[i]->setVisible(m_nFieldCount >= i);
    m_explanation->setText(explanation());
}

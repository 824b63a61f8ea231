#include "fcs/schedule/SetupMatches.h"

#include "fcs/resources/StringTable.h"
#include "fcs/schedule/MatchAllocation.h"
#include "fcs/schedule/MatchArray.h"
#include "fcs/schedule/MatchListCtrl.h"
#include "fcs/schedule/MatchTableModel.h"
#include "platform/Prompt.h"

#include <QFile>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
constexpr int kLoadFromServer = 111;
constexpr int kLoadFromFile = 114;
constexpr int kSaveToFile = 198;
constexpr int kOk = 1;
constexpr int kCancel = 2;
constexpr int kCurrentLabel = 204;
constexpr int kTable = 110;
constexpr int kAddMatch = 193;
constexpr int kDeleteMatch = 196;
constexpr int kSetCurrent = 200;
constexpr int kRemoveAll = 201;

constexpr int kDefaultMatchFileName = 425;
constexpr int kNewLabel = 4101;
constexpr int kInsertMatch = 4102;
constexpr int kAddMatchText = 4103;
constexpr int kDeleteQuestion = 4115;
constexpr int kThrowAway = 4116;
constexpr int kLoadFilter = 4117;
constexpr int kSaveFilter = 4118;
constexpr int kNone = 214;
}

CSetupMatches::CSetupMatches(CMatchArray& schedule, Services services, QWidget* parent)
    : QDialog(parent), m_schedule(schedule), m_services(std::move(services))
{
    setWindowTitle(Str(4125));
    m_chooseFields = [this] { return askFieldAllocation(); };
    m_table.FillFromSchedule(schedule);
    m_model = new MatchTableModel(m_table, this);
    buildControls();
    ShowCurrentRow();
    m_table.modified = false;
    UpdateCommandStates();
}

CSetupMatches::~CSetupMatches() = default;

void CSetupMatches::buildControls()
{
    auto* root = new QGridLayout(this);
    auto* fileRow = new QHBoxLayout;
    const auto button = [this](int id, const QString& text) {
        auto* b = new QPushButton(text, this);
        b->setAutoDefault(false);
        m_controls.insert(id, b);
        return b;
    };
    auto* server = button(kLoadFromServer, QStringLiteral("Load From Server"));
    auto* load = button(kLoadFromFile, QStringLiteral("Load from File"));
    auto* save = button(kSaveToFile, Str(4123));
    fileRow->addWidget(server);
    fileRow->addWidget(load);
    fileRow->addWidget(save);
    fileRow->addStretch();
    root->addLayout(fileRow, 0, 0);

    auto* side = new QVBoxLayout;
    auto* ok = button(kOk, QStringLiteral("OK"));
    ok->setDefault(true);
    auto* cancel = button(kCancel, QStringLiteral("Cancel"));
    auto* currentGroup = new QGroupBox(Str(4124), this);
    auto* currentLayout = new QVBoxLayout(currentGroup);
    m_currentLabel = new QLabel(currentGroup);
    m_currentLabel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    m_currentLabel->setAlignment(Qt::AlignCenter);
    currentLayout->addWidget(m_currentLabel);
    side->addWidget(ok);
    side->addWidget(cancel);
    side->addWidget(currentGroup);
    side->addStretch();
    root->addLayout(side, 0, 1, 3, 1);

    m_list = new CMatchListCtrl(this);
    m_list->setMatchModel(m_model);
    m_list->setModifiedFlag(&m_table.modified);
    m_list->setMinimumSize(600, 320);
    root->addWidget(m_list, 1, 0);

    auto* editRow = new QHBoxLayout;
    m_addButton = button(kAddMatch, Str(kAddMatchText));
    auto* remove = button(kDeleteMatch, Str(4120));
    auto* setCurrent = button(kSetCurrent, Str(4121));
    auto* removeAll = button(kRemoveAll, Str(4122));
    editRow->addWidget(m_addButton);
    editRow->addWidget(remove);
    editRow->addWidget(setCurrent);
    editRow->addStretch();
    editRow->addWidget(removeAll);
    root->addLayout(editRow, 2, 0);

    m_controls.insert(kCurrentLabel, m_currentLabel);
    m_controls.insert(kTable, m_list);

    connect(server, &QPushButton::clicked, this, &CSetupMatches::OnLoadFromServer);
    connect(load, &QPushButton::clicked, this, &CSetupMatches::OnLoadFromFile);
    connect(save, &QPushButton::clicked, this, &CSetupMatches::OnSaveToFile);
    connect(ok, &QPushButton::clicked, this, &CSetupMatches::accept);
    connect(cancel, &QPushButton::clicked, this, &CSetupMatches::reject);
    connect(m_addButton, &QPushButton::clicked, this, &CSetupMatches::OnAddMatch);
    connect(remove, &QPushButton::clicked, this, &CSetupMatches::OnDeleteMatch);
    connect(setCurrent, &QPushButton::clicked, this, &CSetupMatches::OnSetCurrent);
    connect(removeAll, &QPushButton::clicked, this, &CSetupMatches::OnRemoveAllMatches);
    connect(m_list, &CMatchListCtrl::selectionStateChanged, this, &CSetupMatches::UpdateCommandStates);
}

void CSetupMatches::UpdateCommandStates()
{
    const bool selected = m_list->selectedRow() >= 0;
    control(kDeleteMatch)->setEnabled(selected);
    control(kSetCurrent)->setEnabled(selected);
    const QString addText = Str(selected ? kInsertMatch : kAddMatchText);
    if (m_addButton->text() != addText)
        m_addButton->setText(addText);
    control(kLoadFromServer)->setEnabled(m_services.integrationActive && m_services.integrationActive()
                                         && m_services.fetchServerMatches);
}

void CSetupMatches::ShowCurrentRow()
{
    const int row = m_table.currentRow;
    m_currentLabel->setText(m_table.cell(row, MatchTable::Number));
    if (row >= 0 && row < m_table.rowCount())
        m_list->scrollTo(m_model->index(row, 0));
}

FieldAllocation CSetupMatches::askFieldAllocation()
{
    CMatchAllocation dialog(this);
    dialog.exec();
    return {dialog.m_nFieldCount + 1, dialog.m_nField};
}

void CSetupMatches::loadFile(const QString& path)
{
    MatchFileContext context{m_services.prompt, m_services.settings, m_chooseFields};
    m_model->changeAll([&](MatchTable& table) { LoadMatchFile(path, table, context); });
    ShowCurrentRow();
    UpdateCommandStates();
}

void CSetupMatches::OnLoadFromServer()
{
    if (!m_services.integrationActive || !m_services.integrationActive() || !m_services.fetchServerMatches)
        return;
    const QString& path = m_services.serverMatchesPath;
    QFile::remove(path);
    if (m_services.fetchServerMatches(path))
        loadFile(path);
}

void CSetupMatches::OnLoadFromFile()
{
    FileRequest request;
    request.mode = FileRequest::Mode::Open;
    request.defaultExtension = Str(266);
    request.defaultName = Str(kDefaultMatchFileName);
    request.filter = Str(kLoadFilter);
    const QString path = m_chooseFile ? m_chooseFile(this, request) : QString();
    if (!path.isEmpty())
        loadFile(path);
}

void CSetupMatches::OnSaveToFile()
{
    FileRequest request;
    request.mode = FileRequest::Mode::Save;
    request.defaultExtension = Str(266);
    request.filter = Str(kSaveFilter);
    const QString path = m_chooseFile ? m_chooseFile(this, request) : QString();
    if (!path.isEmpty())
        SaveMatchFile(path, m_table, m_services.prompt);
}

void CSetupMatches::OnAddMatch()
{
    m_table.modified = true;
    const int selected = m_list->selectedRow();
    if (selected < 0) {
        m_model->addRow(QString(), MatchTable::kAtEnd);
    } else {
        m_model->addRow(Str(kNewLabel), selected);
        if (selected <= m_table.currentRow)
            ++m_table.currentRow;
    }
    ShowCurrentRow();
    UpdateCommandStates();
}

void CSetupMatches::OnDeleteMatch()
{
    const int row = m_list->selectedRow();
    if (row < 0)
        return;
    const auto team = [this, row](int column) {
        const QString text = m_table.cell(row, column);
        return text.isEmpty() ? Str(kNone) : text;
    };
    const QString question = FormatMessage(kDeleteQuestion, {m_table.cell(row, MatchTable::Number),
                                                             team(MatchTable::Red1), team(MatchTable::Red2),
                                                             team(MatchTable::Blue1), team(MatchTable::Blue2)});
    if (m_services.prompt.ask(question, Prompt::Buttons::OkCancel, Prompt::Icon::Question) != Prompt::Answer::Ok)
        return;
    m_table.modified = true;
    m_model->removeRow(row);
    if (row < m_table.currentRow)
        --m_table.currentRow;
    m_list->clearSelection();
    ShowCurrentRow();
    UpdateCommandStates();
}

void CSetupMatches::OnSetCurrent()
{
    const int row = m_list->selectedRow();
    if (row < 0)
        return;
    m_table.currentRow = row;
    ShowCurrentRow();
}

void CSetupMatches::OnRemoveAllMatches()
{
    m_model->changeAll([](MatchTable& table) {
        table.modified = true;
        table.removeAllRows();
        table.currentRow = -1;
    });
    ShowCurrentRow();
    UpdateCommandStates();
}

void CSetupMatches::accept()
{
    m_table.RebuildSchedule(m_schedule);
    QDialog::accept();
}

void CSetupMatches::reject()
{
    if (m_table.modified
        && m_services.prompt.ask(Str(kThrowAway), Prompt::Buttons::OkCancel, Prompt::Icon::Question)
               != Prompt::Answer::Ok)
        return;
    QDialog::reject();
}

#include "fcs/schedule/MatchFile.h"

#include "fcs/resources/StringTable.h"
#include "fcs/schedule/MatchArray.h"
#include "fcs/schedule/MatchLabels.h"
#include "fcs/schedule/MatchTable.h"
#include "fcs/schedule/TextLineReader.h"
#include "platform/Prompt.h"
#include "platform/Text8.h"

#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <vector>

namespace {
constexpr int kUnableToOpen = 237;
constexpr int kExpectedFiveColumns = 4112;
constexpr int kExpectedHeader = 4113;
constexpr int kImproperArgument = 4114;
constexpr int kTooManyRows = 4140;

void reportFileError(Prompt& prompt, const QString& path, int cause)
{
    prompt.show(FormatMessage(kUnableToOpen, {path, QString::number(cause)}), Prompt::Icon::Error);
}

// The cause of a failed open, errno style: the platform's code when it left
// one, else a code that matches the reason Qt gives.
int openFailureCause(const QFile& file, int savedErrno)
{
    if (savedErrno != 0)
        return savedErrno;
    if (!QFileInfo::exists(file.fileName()))
        return ENOENT;
    return file.error() == QFileDevice::PermissionsError ? EACCES : EIO;
}

bool isHeader(const QStringList& record)
{
    const auto is = [&record](int column, const char* text) {
        return column < record.size()
               && record[column].compare(QLatin1String(text), Qt::CaseInsensitive) == 0;
    };
    if (!(is(0, "Match") && is(1, "Red Team 1") && is(2, "Red Team 2") && is(3, "Blue Team 1")
          && is(4, "Blue Team 2")))
        return false;
    if (record.size() == 8)
        return is(5, "Match Type") && is(6, "Red Team 3") && is(7, "Blue Team 3");
    return true;
}

QString headerMismatch(const QStringList& record)
{
    const auto at = [&record](int column) { return column < record.size() ? record[column] : QString(); };
    return FormatMessage(kExpectedHeader,
                         {at(0), at(1), at(2), at(3), at(4), at(5), at(6), at(7)});
}

// Builds the table row of one data record, numbered after the row above it.
MatchTable::Row rowOfRecord(QStringList record, const MatchTable::Row* above)
{
    record << QString();
    const qsizetype c = record.size();
    const auto team = [&record, c](qsizetype column) {
        return column < c ? NormalizeTeamNumber(record[column]) : QString();
    };
    const int type = c > 5 ? LeadingInteger(record[5]) : 0;
    return MatchTable::MakeRow(record[0], type, team(1), team(2), team(6), team(3), team(4),
                               team(7), QString(), above);
}

// The rows of a load so far, one block per field; the table always holds the
// blocks one after another, so a load that stops keeps a consistent order.
class FieldBlocks {
public:
    explicit FieldBlocks(int fieldCount) : m_blocks(static_cast<size_t>(fieldCount)) {}

    void add(const QStringList& record)
    {
        auto& block = m_blocks[m_next];
        const MatchTable::Row* above = nullptr;
        if (!block.empty())
            above = &block.back();
        else if (m_next > 0 && !m_blocks[m_next - 1].empty())
            above = &m_blocks[m_next - 1].back();
        block.push_back(rowOfRecord(record, above));
        m_next = (m_next + 1) % m_blocks.size();
        ++m_count;
    }
    int count() const { return m_count; }
    std::vector<MatchTable::Row> takeRows()
    {
        std::vector<MatchTable::Row> rows;
        rows.reserve(static_cast<size_t>(m_count));
        for (auto& block : m_blocks)
            for (auto& row : block)
                rows.push_back(std::move(row));
        return rows;
    }

private:
    std::vector<std::vector<MatchTable::Row>> m_blocks;
    size_t m_next = 0;
    int m_count = 0;
};

}

int CurrentRowAfterLoad(int field, int fieldCount, int rowCount)
{
    if (field <= 0 || fieldCount <= 1 || field >= fieldCount)
        return -1;
    // Rows are dealt round-robin, so the blocks before field w hold
    // ceil((rows - k) / N) rows each for k = 0 .. w-1.
    int start = 0;
    for (int k = 0; k < field; ++k)
        start += (rowCount - k + fieldCount - 1) / fieldCount;
    return start < rowCount ? start : -1;
}

LoadOutcome LoadMatchFile(const QString& path, MatchTable& table, MatchFileContext& context)
{
    QFile file(path);
    errno = 0;
    if (!file.open(QIODevice::ReadOnly)) {
        reportFileError(context.prompt, path, openFailureCause(file, errno));
        return LoadOutcome::Unchanged;
    }
    TextLineReader reader(file);
    QStringList record;

    switch (ReadMatchRecord(reader, record, context.settings)) {
    case RecordKind::None:
        return LoadOutcome::Unchanged;
    case RecordKind::Malformed:
        context.prompt.show(Str(kImproperArgument), Prompt::Icon::Error);
        return LoadOutcome::Unchanged;
    case RecordKind::ReadError:
        reportFileError(context.prompt, path, reader.errorCode());
        return LoadOutcome::Unchanged;
    case RecordKind::Joined:
        context.prompt.show(FormatMessage(kExpectedFiveColumns, {record.size()}), Prompt::Icon::Error);
        return LoadOutcome::Unchanged;
    case RecordKind::Bar:
    case RecordKind::Plain:
        if (!isHeader(record)) {
            context.prompt.show(headerMismatch(record), Prompt::Icon::Error);
            return LoadOutcome::Unchanged;
        }
        break;
    }

    table.modified = true;
    table.removeAllRows();
    table.currentRow = -1;
    FieldAllocation allocation;
    if (context.chooseFields)
        allocation = context.chooseFields();
    allocation.fieldCount = qBound(1, allocation.fieldCount, 4);
    allocation.field = qBound(0, allocation.field, allocation.fieldCount - 1);

    FieldBlocks blocks(allocation.fieldCount);
    LoadOutcome outcome = LoadOutcome::Loaded;
    for (;;) {
        const RecordKind kind = ReadMatchRecord(reader, record, context.settings);
        if (kind == RecordKind::None)
            break;
        if (kind == RecordKind::Malformed) {
            context.prompt.show(Str(kImproperArgument), Prompt::Icon::Error);
            outcome = LoadOutcome::Stopped;
            break;
        }
        if (kind == RecordKind::ReadError) {
            reportFileError(context.prompt, path, reader.errorCode());
            outcome = LoadOutcome::Stopped;
            break;
        }
        if (blocks.count() >= kMaxMatchFileRows) {
            context.prompt.show(FormatMessage(kTooManyRows, {kMaxMatchFileRows}), Prompt::Icon::Error);
            outcome = LoadOutcome::Stopped;
            break;
        }
        blocks.add(record);
    }

    const int rows = blocks.count();
    table.setRows(blocks.takeRows());
    table.currentRow = CurrentRowAfterLoad(allocation.field, allocation.fieldCount, rows);
    return outcome;
}

bool SaveMatchFile(const QString& path, const MatchTable& table, Prompt& prompt)
{
    QString text = QStringLiteral("\"Match\",\"Red Team 1\",\"Red Team 2\",\"Blue Team 1\",\"Blue Team 2\"\n");
    const auto quoted = [](QString cell) {
        cell.replace(QLatin1String("\""), QLatin1String("\"\""));
        return QLatin1Char('"') + cell + QLatin1Char('"');
    };
    for (int r = 0; r < table.rowCount(); ++r) {
        const MatchTable::Row& row = table.row(r);
        for (int c = MatchTable::Number; c <= MatchTable::Blue2; ++c) {
            if (c > 0)
                text += QLatin1Char(',');
            text += quoted(row[static_cast<size_t>(c)]);
        }
        text += QLatin1Char('\n');
    }

    QFile file(path);
    errno = 0;
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        reportFileError(prompt, path, openFailureCause(file, errno));
        return false;
    }
    const QByteArray bytes = Text8::encodeForFile(text);
    errno = 0;
    if (file.write(bytes) != bytes.size() || !file.flush()) {
        reportFileError(prompt, path, errno != 0 ? errno : EIO);
        return false;
    }
    return true;
}

bool LoadScheduleFile(const QString& path, CMatchArray& schedule, Prompt& prompt,
                      MatchFileSettings& settings)
{
    MatchTable table;
    MatchFileContext context{prompt, settings, {}};
    if (LoadMatchFile(path, table, context) == LoadOutcome::Unchanged)
        return false;
    table.currentRow = table.rowCount() > 0 ? 0 : -1;
    table.RebuildSchedule(schedule);
    return true;
}

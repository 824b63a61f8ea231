#include "fcs/app/AboutDlg.h"

#include "fcs/controls/HyperlinkStatic.h"
#include "fcs/controls/VersionInfo.h"
#include "fcs/resources/StringTable.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
constexpr int kOk = 1;
constexpr int kFirstVersionItem = 181;
constexpr int kContact = 186;
constexpr int kReadmeLink = 187;
constexpr int kLicenceLink = 188;
constexpr int kPublisher = 470;
constexpr int kReadmeText = 471;
constexpr int kReadmeFile = 472;
constexpr int kLicenceText = 473;
constexpr int kLicenceFile = 474;
constexpr int kFoldersAbove = 3;
}

CAboutDlg::CAboutDlg(QWidget* parent, const QString& programDir) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("About TervoFCS"));
    const QString folder = programDir.isEmpty() ? QCoreApplication::applicationDirPath() : programDir;
    auto* layout = new QVBoxLayout(this);

    // The version items name the value they show until they are filled.
    const char* keys[] = {"FileDescription", "FileVersion", "LegalCopyright", "Comments", "PrivateBuild"};
    int id = kFirstVersionItem;
    for (const char* key : keys) {
        auto* item = new QLabel(QString::fromLatin1(key), this);
        item->setWordWrap(true);
        m_controls.insert(id++, item);
        layout->addWidget(item);
    }
    CVersionInfo().FillDialog([this](int item) { return qobject_cast<QLabel*>(control(item)); });

    auto* contact = new QLabel(Str(kPublisher), this);
    m_controls.insert(kContact, contact);
    layout->addWidget(contact);

    auto addLink = [&](int linkId, int textId, int fileId) {
        auto* link = new CHyperlinkStatic(Str(textId), this);
        link->SetTarget(FindDocument(folder, Str(fileId)));
        m_controls.insert(linkId, link);
        layout->addWidget(link);
    };
    addLink(kReadmeLink, kReadmeText, kReadmeFile);
    addLink(kLicenceLink, kLicenceText, kLicenceFile);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setDefault(true);
    m_controls.insert(kOk, ok);
    buttons->addWidget(ok);
    layout->addLayout(buttons);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
}

void CAboutDlg::setOpener(const std::function<void(const QString&)>& opener)
{
    for (const int id : {kReadmeLink, kLicenceLink})
        static_cast<CHyperlinkStatic*>(control(id))->setOpener(opener);
}

QString CAboutDlg::FindDocument(const QString& programDir, const QString& name)
{
    QDir dir(programDir);
    for (int level = 0; level <= kFoldersAbove; ++level) {
        const QFileInfo candidate(dir.filePath(name));
        if (candidate.isFile())
            return candidate.absoluteFilePath();
        if (!dir.cdUp())
            break;
    }
    return QDir(programDir).absoluteFilePath(name);
}

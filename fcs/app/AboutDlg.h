#pragma once

#include <QDialog>
#include <QHash>
#include <functional>

// The about box: the program's version texts and where its documents are.
class CAboutDlg : public QDialog {
    Q_OBJECT

public:
    // programDir: the folder of the running program, where the documents are looked for.
    explicit CAboutDlg(QWidget* parent = nullptr, const QString& programDir = {});

    QWidget* control(int id) const { return m_controls.value(id); }
    // How the links are opened (the desktop's default handler unless replaced).
    void setOpener(const std::function<void(const QString&)>& opener);

    // The path of a document shipped with the program: beside it, or in the
    // nearest folder above it that has one (a build tree inside the sources).
    static QString FindDocument(const QString& programDir, const QString& name);

private:
    QHash<int, QWidget*> m_controls;
};

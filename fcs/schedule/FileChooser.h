#pragma once

#include <QString>
#include <functional>

class QWidget;

// What the Setup Matches dialog asks of a file chooser.
struct FileRequest {
    enum class Mode { Open, Save };
    Mode mode = Mode::Open;
    QString defaultExtension; // without the dot
    QString defaultName;      // empty: none
    QString filter;           // "Text|patterns|Text|patterns||" notation
};

// Returns the chosen path, or empty when the operator cancelled. Open requests
// only return existing files; save requests have asked before replacing one.
using FileChooser = std::function<QString(QWidget* parent, const FileRequest& request)>;

// The standard file dialog.
QString ChooseFileWithDialog(QWidget* parent, const FileRequest& request);

// "Match Files (*.csv)|*.csv|All Files (*.*)|*.*||" to Qt's
// "Match Files (*.csv);;All Files (*)".
QString QtFileFilter(const QString& filter);

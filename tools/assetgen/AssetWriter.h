#pragma once

#include <QDir>
#include <QImage>
#include <QString>

// Writes generated files into the resource folders beside the programs and
// remembers the first failure, so the build can stop with a clear message.
class AssetWriter {
public:
    explicit AssetWriter(const QString& root) : m_root(root) {}

    bool makeFolders();
    void png(const QString& name, const QImage& image);
    void gif(const QString& fileName, const QImage& image);
    void bytes(const QString& folder, const QString& fileName, const QByteArray& data);
    QString path(const QString& folder, const QString& fileName) const;

    void fail(const QString& why);
    bool ok() const { return m_error.isEmpty(); }
    const QString& error() const { return m_error; }
    int written() const { return m_written; }

private:
    QDir m_root;
    QString m_error;
    int m_written = 0;
};

#pragma once

#include <QString>
#include <functional>

class QLabel;

// The program's own version information, from the build's version resource.
class CVersionInfo {
public:
    // A value by name ("FileVersion", "FileDescription", ...); empty when unknown.
    QString GetValue(const QString& name) const;
    // Replaces the texts of dialog items 181 to 185, which name the values to show.
    void FillDialog(const std::function<QLabel*(int id)>& item) const;
    // Major and minor from "FileVersion" ("V 3.0.8" gives 3 and 0); -1 and -1 when unreadable.
    void GetProgramVersion(int& major, int& minor) const;
    static void ParseProgramVersion(const QString& fileVersion, int& major, int& minor);
};

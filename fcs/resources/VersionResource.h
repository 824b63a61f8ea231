#pragma once

#include <QString>

// The program's version resource, filled from the one project version of the build.
namespace VersionResource {
// A value of the version resource by name: "FileVersion" ("V 3.0.8"),
// "FileDescription", "LegalCopyright", "Comments", "PrivateBuild",
// "ProductName", "ProductVersion"; empty for any other name.
QString value(const QString& name);
}

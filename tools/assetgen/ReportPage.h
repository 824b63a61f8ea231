#pragma once

#include <QByteArray>

// The QRB report page: shows the match log "JRVMatch.html" that lies beside it.
QByteArray QrbReportPage();

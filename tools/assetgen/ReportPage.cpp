#include "tools/assetgen/ReportPage.h"

QByteArray QrbReportPage()
{
    // The log is shown in a sandboxed frame: nothing inside it can run, and this
    // page itself runs no script at all. Lines end in CR LF like every file we write.
    static const char* const lines[] = {
        "<!DOCTYPE html>",
        "<html lang=\"en\">",
        "<head>",
        "<meta charset=\"utf-8\">",
        "<meta http-equiv=\"Content-Security-Policy\" content=\"default-src 'none'; style-src 'unsafe-inline'; frame-src 'self' file:; img-src 'self' file:\">",
        "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">",
        "<title>QRB Report - Match Results</title>",
        "<style>",
        "  html, body { margin: 0; padding: 0; background: #ffffff; color: #111111;",
        "    font-family: \"Liberation Sans\", Arial, Helvetica, sans-serif; }",
        "  header { padding: 12px 20px; border-bottom: 3px solid #333333; }",
        "  h1 { margin: 0 0 4px 0; font-size: 22pt; }",
        "  .hint { margin: 0; font-size: 10pt; color: #444444; }",
        "  .hint a { color: #0645ad; }",
        "  main { padding: 12px 20px; }",
        "  iframe.log { display: block; width: 100%; height: 80vh; min-height: 480px;",
        "    border: 1px solid #999999; background: #ffffff; }",
        "  @media print {",
        "    @page { margin: 12mm; }",
        "    header { border-bottom: 1px solid #000000; padding: 0 0 6px 0; }",
        "    .hint { display: none; }",
        "    main { padding: 6px 0 0 0; }",
        "    iframe.log { border: none; height: 250mm; }",
        "  }",
        "</style>",
        "</head>",
        "<body>",
        "<header>",
        "<h1>QRB Report - Match Results</h1>",
        "<p class=\"hint\">The results of every match played at this field, one row per team position.",
        "Print this page with your browser's Print command, or open the <a href=\"JRVMatch.html\">match log</a> on its own",
        "to print a long log in full.</p>",
        "</header>",
        "<main>",
        "<iframe class=\"log\" src=\"JRVMatch.html\" sandbox=\"\" title=\"Match log\" referrerpolicy=\"no-referrer\">",
        "<p>Your browser cannot show frames. Open <a href=\"JRVMatch.html\">JRVMatch.html</a> to read the match log.</p>",
        "</iframe>",
        "</main>",
        "</body>",
        "</html>",
    };
    QByteArray page;
    for (const char* line : lines) {
        page.append(line);
        page.append("\r\n");
    }
    return page;
}

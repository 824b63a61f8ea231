#include "tools/tervana-sim/SimOptions.h"

namespace {
bool parseNumber(const QString& text, int low, int high, int& value)
{
    bool ok = false;
    const int v = text.toInt(&ok);
    if (!ok || v < low || v > high)
        return false;
    value = v;
    return true;
}
}

QString SimOptions::Usage()
{
    return QStringLiteral(
        "Usage: tervana-sim [options]\n"
        "A simulated Tervana module with its NXT brick, serving the control port.\n"
        "\n"
        "  --address A            address to listen on (default 127.0.0.1)\n"
        "  --port P               control port (default 2901)\n"
        "  --name NXTNAME         the brick's name (default NXT)\n"
        "  --teleop-program NAME  content of \"JRVConfig.txt\"; the brick also holds\n"
        "                         this program. Without it the file does not exist\n"
        "  --program NAME         another program the brick holds (repeatable)\n"
        "  --running NAME         a held program that runs at start\n"
        "  --battery MV           battery level in millivolts (default 8200)\n"
        "  --wire-log FILE        one line per received command: ms and hex bytes\n"
        "  --fault KIND           silent | delay:MS | split | double | close-after:N\n"
        "                         (repeatable)\n"
        "  --help                 this text\n");
}

bool SimOptions::Parse(const QStringList& arguments, QString& error)
{
    for (int i = 0; i < arguments.size(); ++i) {
        const QString option = arguments.at(i);
        if (option == QLatin1String("--help") || option == QLatin1String("-h")) {
            help = true;
            continue;
        }
        if (i + 1 >= arguments.size()) {
            error = QStringLiteral("%1 needs a value").arg(option);
            return false;
        }
        const QString value = arguments.at(++i);
        int number = 0;
        if (option == QLatin1String("--address")) {
            address = value;
        } else if (option == QLatin1String("--port")) {
            if (!parseNumber(value, 0, 65535, number)) {
                error = QStringLiteral("bad port: %1").arg(value);
                return false;
            }
            port = static_cast<quint16>(number);
        } else if (option == QLatin1String("--name")) {
            brick.name = value.toLatin1();
        } else if (option == QLatin1String("--teleop-program")) {
            brick.files["JRVConfig.txt"] = value.toLatin1();
            brick.programs.insert(value.toLatin1());
        } else if (option == QLatin1String("--program")) {
            brick.programs.insert(value.toLatin1());
        } else if (option == QLatin1String("--running")) {
            brick.programs.insert(value.toLatin1());
            brick.running = value.toLatin1();
        } else if (option == QLatin1String("--battery")) {
            if (!parseNumber(value, 0, 65535, number)) {
                error = QStringLiteral("bad battery level: %1").arg(value);
                return false;
            }
            brick.batteryMv = static_cast<quint16>(number);
        } else if (option == QLatin1String("--wire-log")) {
            wireLog = value;
        } else if (option == QLatin1String("--fault")) {
            if (value == QLatin1String("silent")) {
                faults.silent = true;
            } else if (value == QLatin1String("split")) {
                faults.split = true;
            } else if (value == QLatin1String("double")) {
                faults.doubled = true;
            } else if (value.startsWith(QLatin1String("delay:"))
                       && parseNumber(value.mid(6), 1, 600000, number)) {
                faults.delayMs = number;
            } else if (value.startsWith(QLatin1String("close-after:"))
                       && parseNumber(value.mid(12), 1, 1000000, number)) {
                faults.closeAfter = number;
            } else {
                error = QStringLiteral("unknown fault: %1").arg(value);
                return false;
            }
        } else {
            error = QStringLiteral("unknown option: %1").arg(option);
            return false;
        }
    }
    return true;
}

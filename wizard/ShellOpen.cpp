#include "ShellOpen.h"

#include <QDesktopServices>
#include <QUrl>

namespace {

struct Recorder
{
    bool testMode = false;
    QStringList opened;
};

Recorder& recorder()
{
    static Recorder instance;
    return instance;
}

} // namespace

bool ShellOpen::open(const QString& url)
{
    if (recorder().testMode) {
        recorder().opened.append(url);
        return true;
    }
    return QDesktopServices::openUrl(QUrl(url));
}

void ShellOpen::enableTestMode(bool on)
{
    recorder().testMode = on;
}

const QStringList& ShellOpen::opened()
{
    return recorder().opened;
}

void ShellOpen::clearOpened()
{
    recorder().opened.clear();
}

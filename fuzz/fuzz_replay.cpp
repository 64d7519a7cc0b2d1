// Arbitrary bytes as a traffic log played back fast: the log reader, the
// line assembly behind it and the checks on each line. Every line passed on
// must be a whole line of bounded length, and the end of the log must be
// reported once.

#include "fuzzapplication.h"

#include "link/serialcontroller.h"

#include <QEventLoop>
#include <QString>
#include <QTemporaryFile>
#include <QTimer>

#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace {

struct Harness : FuzzApplication<>
{
    QTemporaryFile log;

    Harness() { log.open(); }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static Harness *harness = new Harness;
    QTemporaryFile &log = harness->log;
    log.resize(0);
    log.seek(0);
    log.write(reinterpret_cast<const char *>(data), qint64(size));
    log.flush();

    SerialController controller;
    controller.SetFastReplay(true);
    int closed = 0;
    QEventLoop loop;
    QObject::connect(&controller, &SerialController::Received, [](const QString &line) {
        if (line.size() > SerialController::MaxLineLength + 1)
            abort();
    });
    QObject::connect(&controller, &SerialController::Closed, &loop, [&] {
        ++closed;
        loop.quit();
    });
    if (!controller.OpenFile(log.fileName()))
        return 0;
    // A log always ends; the limit only keeps a fault from hanging the run.
    QTimer::singleShot(5000, &loop, [] { abort(); });
    if (closed == 0)
        loop.exec();
    QCoreApplication::processEvents();
    if (closed != 1)
        abort();
    return 0;
}

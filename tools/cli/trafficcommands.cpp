#include "trafficcommands.h"

#include "console.h"
#include "exitstatus.h"
#include "stopsignals.h"
#include "trafficprinter.h"

#include "decode/gpsdecoder.h"
#include "decode/messagedecoder.h"
#include "link/receivedline.h"
#include "link/serialcontroller.h"
#include "link/serialtransport.h"
#include "model/model.h"

#include <QElapsedTimer>
#include <QEventLoop>

namespace {

// A transport of its own on this thread with its own decoders: the state
// machine is left out, so nothing is sent to the unit and no job can time out.
// The lines come straight from the line assembly, each parsed once for all.
class TrafficLink : public LineSink
{
public:
    TrafficLink(const QString &vendorId, const QString &mmsi, bool json)
        : transport(), gps(), messages(&model),
          printer(&model, &gps, &messages, mmsi.isEmpty(), json)
    {
        transport.SetVendorId(vendorId);
        if (!mmsi.isEmpty())
            model.GetAtoN()->GetAtoNMMSI()->SetMmsi(mmsi);
        transport.AddLineSink(this);
        QObject::connect(&transport, &Transport::ConnectError, &transport,
                         [this](const QString &error) { connectError = error; });
    }
    ~TrafficLink() { transport.RemoveLineSink(this); }

    void TakeLine(const ReceivedLine &line) override
    {
        ++lines;
        // The printer sees an AID answer before the decoders see what follows it.
        printer.OnLine(line);
        gps.Decode(line.Sentence());
        messages.Decode(line.Sentence());
    }

    Model model;
    SerialTransport transport;
    GPSDecoder gps;
    MessageDecoder messages;
    TrafficPrinter printer;
    QString connectError;
    qint64 lines = 0;
};

} // namespace

int TrafficCommands::Monitor(const QString &vendorId, const QString &port, const QString &mmsi,
                             bool json)
{
    TrafficLink link(vendorId, mmsi, json);
    link.transport.Connect(port);
    if (!link.transport.IsConnected()) {
        Console::Error(link.connectError.isEmpty() ? QStringLiteral("Could not open %1").arg(port)
                                                   : link.connectError);
        return ExitFailure;
    }
    Console::Err(QStringLiteral("Monitoring %1; Ctrl-C ends\n").arg(port));

    QEventLoop loop;
    bool stopped = false;
    StopSignals stop;
    QObject::connect(&stop, &StopSignals::Stop, &loop, [&] {
        stopped = true;
        loop.quit();
    });
    QObject::connect(&link.transport, &Transport::Disconnected, &loop, &QEventLoop::quit);
    QString lost;
    QObject::connect(link.transport.GetSerialController(), &SerialController::LineLost, &loop,
                     [&](const QString &reason) {
                         lost = reason;
                         loop.quit();
                     });
    loop.exec();
    if (stopped) {
        link.transport.Disconnect();
        return ExitDone;
    }
    link.transport.Disconnect();
    Console::Error(lost.isEmpty() ? QStringLiteral("The line to the unit closed.")
                                  : QStringLiteral("The line to the unit closed: %1").arg(lost));
    return ExitFailure;
}

int TrafficCommands::Replay(const QString &vendorId, const QString &log, bool fast,
                            const QString &mmsi, bool json)
{
    TrafficLink link(vendorId, mmsi, json);
    QElapsedTimer clock;
    clock.start();
    // Without the 10 ms pace the controller reads the log in large blocks and
    // passes on every line of a block in one turn of the event loop.
    if (SerialController *controller = link.transport.GetSerialController())
        controller->SetFastReplay(fast);
    if (!link.transport.ConnectFile(log)) {
        Console::Error(QStringLiteral("Could not read %1: %2").arg(log, link.connectError));
        return ExitFailure;
    }

    QEventLoop loop;
    StopSignals stop;
    QObject::connect(&stop, &StopSignals::Stop, &loop, &QEventLoop::quit);
    // At the end of the file the controller closes, and the transport with it.
    QObject::connect(&link.transport, &Transport::Disconnected, &loop, &QEventLoop::quit);
    Console::SetBlockBuffered(fast);
    if (link.transport.IsConnected())
        loop.exec();
    link.printer.Flush();
    Console::SetBlockBuffered(false);
    const double seconds = clock.nsecsElapsed() / 1e9;
    const qint64 lines = link.lines;
    Console::Err(QStringLiteral("Replayed %1 lines in %2 s (%3 lines/s), %4 events\n")
                     .arg(lines)
                     .arg(seconds, 0, 'f', 3)
                     .arg(seconds > 0 ? qint64(lines / seconds) : 0)
                     .arg(link.printer.Events()));
    return ExitDone;
}

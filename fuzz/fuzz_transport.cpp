// Arbitrary answers to the transport's jobs. The first byte chooses which jobs
// are queued (one bit a job, each read or written by the second byte); the
// rest is cut into lines at each "\n". A line that starts with "~" gets the
// start character and a sound checksum around the rest, so that the answers'
// fields are explored beyond the frame; an empty line stands for the answer
// time running out. Each line goes where a received line goes: through the
// parse to the step that waits for an answer.

#include "fuzzapplication.h"

#include "link/transport.h"
#include "model/model.h"
#include "sentences/parsedsentence.h"

#include <QByteArray>
#include <QString>

#include <cstddef>
#include <cstdint>

namespace {

// A line that needs no port: what is sent is only counted.
class LoopTransport : public Transport
{
public:
    explicit LoopTransport(Model *model) : Transport(model) {}
    bool IsConnected() const override { return true; }
    QString ConnectionDescription() const override { return QString(); }
    void Connect(QString) override {}
    void Send(QString send) override { sent += send.size(); }
    void Disconnect() override {}
    void SerialSent(QString) override {}
    void SerialSendError() override {}
    void SerialReceived(QString received) override { HandleResponse(ParsedSentence(received)); }
    void SerialClosed() override {}

    qint64 sent = 0;
};

const char *const JobNames[] = {"Version",  "Voltage",          "SerNo Test", "Kelvane",
                                "Identity", "Message Schedule", "Get LIM",    "Set LIM"};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static auto *application = new FuzzApplication<>;
    Q_UNUSED(application)
    if (size < 2)
        return 0;
    Model model;
    LoopTransport transport(&model);
    for (int bit = 0; bit < 8; ++bit) {
        if (data[0] & (1 << bit))
            transport.QueueJob(QLatin1String(JobNames[bit]), (data[1] >> bit) & 1);
    }
    const QByteArray rest =
        QByteArray::fromRawData(reinterpret_cast<const char *>(data + 2), int(size - 2));
    for (const QByteArray &piece : rest.split('\n')) {
        if (piece.isEmpty()) {
            transport.OnTimeout();
            continue;
        }
        QString line = QString::fromLatin1(piece);
        if (line.startsWith(QLatin1Char('~'))) {
            const QString body = QLatin1Char('$') + line.mid(1);
            line = body + QLatin1Char('*') + ParsedSentence::Checksum(body);
        }
        transport.SerialReceived(line + QLatin1Char('\n'));
    }
    return 0;
}

// Arbitrary bytes as a .pad file. A file that loads must save to bytes that
// load again to the same bytes: nothing read may be stored in a form that the
// writer cannot give back. A file that does not load must leave the model as
// it was.

#include "model/model.h"
#include "model/padfile.h"

#include <QByteArray>

#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace {

void Discard(QtMsgType, const QMessageLogContext &, const QString &) {}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static const bool quiet = [] {
        qInstallMessageHandler(Discard);
        return true;
    }();
    Q_UNUSED(quiet)
    static const QByteArray untouched = PadFile::ToBytes(Model());

    const QByteArray bytes =
        QByteArray::fromRawData(reinterpret_cast<const char *>(data), int(size));
    Model model;
    QString error;
    if (PadFile::FromBytes(bytes, &model, &error) != PadFile::Done) {
        if (error.isEmpty() || PadFile::ToBytes(model) != untouched)
            abort();
        return 0;
    }
    const QByteArray saved = PadFile::ToBytes(model);
    Model again;
    if (PadFile::FromBytes(saved, &again) != PadFile::Done || PadFile::ToBytes(again) != saved)
        abort();
    return 0;
}

#include "link/portwatch.h"

#include "link/portenumerator.h"
#include "link/serialcontroller.h"
#include "platform/platform.h"

#include <QTimer>

namespace {

bool Same(const PortInfoList &a, const PortInfoList &b)
{
    if (a.size() != b.size())
        return false;
    for (int i = 0; i < a.size(); ++i) {
        if (a.at(i).portName != b.at(i).portName || a.at(i).friendlyName != b.at(i).friendlyName ||
            a.at(i).vendorId != b.at(i).vendorId || a.at(i).productId != b.at(i).productId)
            return false;
    }
    return true;
}

} // namespace

PortWatch::PortWatch(QObject *parent) : QObject(parent)
{
    if (!SerialController::IsPortEnumerationReplaced())
        events = Platform::Current().WatchPorts(
            PortEnumerator::EnvironmentPaths(), [this] { emit Changed(); }, this);
    if (events)
        return;
    last = SerialController::ListPorts();
    poll = new QTimer(this);
    connect(poll, &QTimer::timeout, this, &PortWatch::Poll);
    poll->start(PollIntervalMs);
}

void PortWatch::Poll()
{
    PortInfoList now = SerialController::ListPorts();
    if (Same(now, last))
        return;
    last = std::move(now);
    emit Changed();
}

#ifndef MODEL_H
#define MODEL_H

#include "lim/lanterninterface.h"
#include "model/aton.h"
#include "model/messageschedule.h"
#include "model/modelobject.h"

// The configuration of one AtoN unit: the AtoN record, its message schedule
// and the lantern interface settings. The tree is fixed.
class Model : public ModelObject
{
    Q_OBJECT

public:
    explicit Model(QObject *parent = nullptr);
    // Copies the three records; the schedule keeps pointing at this model's AtoN.
    Model &operator=(const Model &other);
    bool operator==(const Model &other) const;
    bool operator!=(const Model &other) const { return !(*this == other); }

    void Reset() override;
    // The whole configuration, as a .pad file holds it.
    void Write(QDataStream &out) const override;
    void Read(QDataStream &in) override;

    // Never null.
    AtoN *GetAtoN() { return &aton; }
    const AtoN *GetAtoN() const { return &aton; }
    MessageSchedule *GetMessageSchedule() { return &schedule; }
    const MessageSchedule *GetMessageSchedule() const { return &schedule; }
    LanternInterface *GetLanternInterface() { return &lantern; }
    const LanternInterface *GetLanternInterface() const { return &lantern; }

private:
    AtoN aton;
    MessageSchedule schedule;
    LanternInterface lantern;
};

#endif // MODEL_H

#ifndef UNITLASTSEEN_H
#define UNITLASTSEEN_H

#include "app/unitidentity.h"

#include <QLabel>

class UnitRegister;
class UnitSession;

// When, where and by whom the docked unit was last met, as the register
// has it: looked up once a unit tells its serial number, before this visit
// adds entries of its own.
class UnitLastSeen : public QLabel
{
    Q_OBJECT

public:
    explicit UnitLastSeen(UnitSession *session, QWidget *parent = nullptr);
    // Not owned; null: nothing is shown.
    void SetRegister(UnitRegister *unitRegister);

private:
    void OnIdentityChanged(const UnitIdentity &now, const UnitIdentity &before);
    void LookUp(const QString &serial);

    UnitSession *session;
    UnitRegister *unitRegister = nullptr;
};

#endif // UNITLASTSEEN_H

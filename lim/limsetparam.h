#ifndef LIMSETPARAM_H
#define LIMSETPARAM_H

#include <QObject>
#include <QString>

// Builds the shell sentence that writes one lantern interface parameter, with
// the value that the parent Model's LanternInterface holds:
//   $PVKX,0,3,<level 3 code>,1,nvseti "<name>"^2C<value>^2C0^2C0^2C1,<tag>
class LimSetParam : public QObject
{
    Q_OBJECT

public:
    // name is a parameter of the lantern table ("limen" ... "limpthresh").
    LimSetParam(const QString &name, int tag, QObject *parent);

    // The sentence for the parameter's current value, "\r\n" included.
    QString Sentence() const;

    QString Name() const { return name; }
    int Tag() const { return tag; }

private:
    QString name;
    int tag;
};

#endif // LIMSETPARAM_H

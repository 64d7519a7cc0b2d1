#ifndef CONFIGURATIONFIELDS_H
#define CONFIGURATIONFIELDS_H

#include <QByteArray>
#include <QCoreApplication>
#include <QList>
#include <QString>

#include "model/geoposition.h"

class Model;
class ScheduleTable;

// One field of a configuration in the form a person reads it.
struct ConfigurationField
{
    QString group; // "AtoN", "Message schedule", "Lantern interface", never translated
    QString key;   // stable name that matches the same field in another configuration
    QString label; // "Name", "Schedule 21/1 Channel 1 Interval", ... in the user's language
    QString text;  // the value as shown, units and code texts included
    bool sent;     // a send carries the value to the unit, which should then hold it
};

// The whole configuration as a list of readable fields, in the order of the
// window's tabs. Two configurations are equal for a person when their lists
// carry the same texts: positions count to the ten-thousandth of a minute the
// unit keeps, schedule rows are matched by message and index, and the lantern
// values show the unit's own resolution.
class ConfigurationFields
{
    Q_DECLARE_TR_FUNCTIONS(ConfigurationFields)

public:
    static QList<ConfigurationField> Of(const Model &model);
    // The parts of that list: the AtoN's fields and the lantern interface's
    // (a few, however many rows the schedule holds), and the fields of the
    // schedule's rows one at a time.
    static QList<ConfigurationField> AtoNFields(const Model &model);
    static QList<ConfigurationField> LanternFields(const Model &model);
    // Field k of a row of the schedule's table: 0 whether the row is in use,
    // then its columns from the access scheme on. False when the row does
    // not show it (the start slots of a scheme without slots). A null field
    // asks only whether the row shows it.
    static constexpr int ScheduleRowFieldCount = 8;
    static bool ScheduleRowField(const ScheduleTable &table, int row, int k,
                                 ConfigurationField *field);

    // Degrees and decimal minutes, or "not available" (in the user's
    // language; the byte forms below stay in English, as the line's are).
    static QString LatitudeText(double latitude);
    static QString LongitudeText(double longitude);
    // The same texts in UTF-8 with the letters given, added to the end of text.
    static void AppendLatitudeText(QByteArray &text, double latitude,
                                   const GeoPosition::Hemispheres &letters);
    static void AppendLongitudeText(QByteArray &text, double longitude,
                                    const GeoPosition::Hemispheres &letters);

private:
    static bool IsLatitude(double latitude) { return latitude >= -90.0 && latitude <= 90.0; }
    static bool IsLongitude(double longitude) { return longitude >= -180.0 && longitude <= 180.0; }
    static constexpr char NotAvailable[] = QT_TR_NOOP("not available");
};

#endif // CONFIGURATIONFIELDS_H

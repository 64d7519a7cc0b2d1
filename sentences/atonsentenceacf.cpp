#include "sentences/atonsentenceacf.h"

#include "model/aton.h"
#include "model/model.h"

#include <cmath>

namespace {

// Integers go out as unsigned decimal numbers.
QString Unsigned(int value)
{
    return QString::number(quint32(value));
}

} // namespace

AtoNSentenceACF::AtoNSentenceACF(AtoN *target, Model *modelRoot) : AtoNSentence(target, modelRoot)
{
    formatter = QStringLiteral("ACF");
}

AtoN *AtoNSentenceACF::Record() const
{
    return static_cast<AtoN *>(target);
}

// 50.5 -> 5030.0000; -4.25 -> 00415.0000 (the sign goes in the hemisphere).
// Rounded once, to the ten-thousandth of a minute the field carries, so that
// 59.99995' goes out as the next degree and never as 60 minutes, which the
// unit (and this codec) would refuse to read back.
QString AtoNSentenceACF::AngleText(double degrees, int width)
{
    const qint64 tenThousandths = std::llround(std::fabs(degrees) * 600000.0);
    const qint64 whole = tenThousandths / 600000;
    const qint64 minutes = tenThousandths % 600000;
    return QStringLiteral("%1%2.%3")
        .arg(whole, width - 7, 10, QLatin1Char('0'))
        .arg(minutes / 10000, 2, 10, QLatin1Char('0'))
        .arg(minutes % 10000, 4, 10, QLatin1Char('0'));
}

// $UPACF,000000000,1,9100.0000,N,18100.0000,E,0,2087,2088,2087,2088,1,0,0,C
QString AtoNSentenceACF::Encode(int /*index*/, int * /*extra*/)
{
    const AtoN *aton = Record();
    const double latitude = aton->GetPosition()->Latitude();
    const double longitude = aton->GetPosition()->Longitude();
    const QString channel1 = Unsigned(aton->Channel1());
    const QString channel2 = Unsigned(aton->Channel2());
    return Frame({aton->GetAtoNMMSI()->NewMmsi(), Unsigned(aton->TypeOfEPFS()),
                  AngleText(latitude, 9), latitude < 0 ? QStringLiteral("S") : QStringLiteral("N"),
                  AngleText(longitude, 10),
                  longitude < 0 ? QStringLiteral("W") : QStringLiteral("E"),
                  Unsigned(aton->PositionAccuracy()), channel1, channel2, channel1, channel2,
                  QStringLiteral("1"), Unsigned(aton->TypeOfAtoN()), Unsigned(aton->AcfField14()),
                  QStringLiteral("C")});
}

// $AIACF,123456789,1,3330.0000,S,00415.0000,W,1,2087,2088,2087,2088,1,5,0,R
int AtoNSentenceACF::Decode(ParsedSentence sentence)
{
    if (!AcceptHead(sentence))
        return DecodeFieldError;
    AtoN *aton = Record();
    QString mmsi;
    if (!ReadUnitMmsi(sentence, aton->GetAtoNMMSI(), mmsi))
        return DecodeFieldError;
    if (mmsi == Unconfigured)
        return DecodeUnconfigured;

    int epfs = 0, accuracy = 0, channel1 = 0, channel2 = 0, type = 0, field14 = 0;
    double latitude = 0.0, longitude = 0.0;
    if (!ReadInRange(sentence, 2, FieldRanges::TypeOfEPFS, epfs) ||
        !ReadAngle(sentence, 3, GeoPosition::NotAvailableLatitude, latitude) ||
        !ReadAngle(sentence, 5, GeoPosition::NotAvailableLongitude, longitude) ||
        !ReadInRange(sentence, 7, FieldRanges::PositionAccuracy, accuracy) ||
        !ReadChannel(sentence, 10, channel1) || !ReadChannel(sentence, 11, channel2) ||
        !ReadInRange(sentence, 13, FieldRanges::TypeOfAtoN, type) ||
        !ReadInRange(sentence, 14, FieldRanges::AcfField14, field14) ||
        !ReadAnswerStatus(sentence, 15))
        return DecodeFieldError;

    aton->SetTypeOfEPFS(epfs);
    aton->GetPosition()->SetLatitude(latitude);
    aton->GetPosition()->SetLongitude(longitude);
    aton->SetPositionAccuracy(accuracy);
    aton->SetChannel1(channel1);
    aton->SetChannel2(channel2);
    aton->SetTypeOfAtoN(type);
    aton->SetAcfField14(field14);
    return DecodeOk;
}

QString AtoNSentenceACF::AnswerKey(const ParsedSentence &answer) const
{
    return CheckHead(answer) == DecodeOk ? formatter : QString();
}

// Field i holds the angle, field i + 1 its hemisphere. Both empty is NMEA's
// "no value": the position is not available.
bool AtoNSentenceACF::ReadAngle(const ParsedSentence &sentence, int i, double notAvailable,
                                double &degrees)
{
    const bool latitude = notAvailable == GeoPosition::NotAvailableLatitude;
    const QString name = latitude ? tr("latitude") : tr("longitude");
    QString text, hemisphere;
    if (!sentence.GetString(i, text) || !sentence.GetString(i + 1, hemisphere)) {
        Refuse(i, name, tr("missing"));
        return false;
    }
    if (text.isEmpty() && hemisphere.isEmpty()) {
        degrees = notAvailable;
        return true;
    }
    bool ok = false;
    const double value = text.toDouble(&ok);
    const double whole = std::trunc(value / 100.0);
    const double minutes = value - whole * 100.0;
    degrees = whole + minutes / 60.0;
    if (!ok || !std::isfinite(value) || value < 0.0 || minutes >= 60.0 || degrees > notAvailable) {
        Refuse(
            i, name,
            tr("\"%1\" is not an angle up to %2 degrees").arg(text, QString::number(notAvailable)));
        return false;
    }
    const QString signs = latitude ? QStringLiteral("NS") : QStringLiteral("EW");
    if (hemisphere.size() != 1 || !signs.contains(hemisphere)) {
        Refuse(i + 1, tr("hemisphere"),
               tr("\"%1\", not %2 or %3").arg(hemisphere, signs.left(1), signs.mid(1)));
        return false;
    }
    if (hemisphere == signs.mid(1))
        degrees = -degrees;
    return true;
}

bool AtoNSentenceACF::ReadChannel(const ParsedSentence &sentence, int i, int &channel)
{
    const QString name = tr("channel");
    return ReadNumber(sentence, i, name, channel) &&
           Accept(i, FieldRanges::ChannelProblem(name, channel));
}

#include "sentences/atonsentenceacf.h"

#include "model/aton.h"
#include "model/model.h"

#include <cmath>

namespace {

const QString Unconfigured = QStringLiteral("000000000");

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
QString AtoNSentenceACF::AngleText(double degrees, int width)
{
    const double d = std::trunc(degrees);
    const double v = std::fabs(d * 100.0 + (degrees - d) * 60.0);
    return QStringLiteral("%1").arg(v, width, 'f', 4, QLatin1Char('0'));
}

double AtoNSentenceACF::AngleOfText(const QString &text)
{
    bool ok = false;
    double v = text.toDouble(&ok);
    if (!ok)
        v = 0.0;
    const double w = v / 100.0;
    const double d = std::trunc(w);
    return d + (w - d) / 60.0 * 100.0;
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
    if (CheckHead(sentence) != DecodeOk)
        return DecodeFieldError;
    AtoN *aton = Record();
    QString mmsi;
    if (!sentence.GetString(1, mmsi))
        return DecodeFieldError;
    if (mmsi == Unconfigured)
        return DecodeUnconfigured;

    int value = 0;
    if (!sentence.GetInt(2, value))
        return DecodeFieldError;
    aton->SetTypeOfEPFS(value);

    // An angle without its hemisphere is still stored, as north or east.
    QString angle, hemisphere;
    if (!sentence.GetString(3, angle))
        return DecodeFieldError;
    bool hasHemisphere = sentence.GetString(4, hemisphere);
    double degrees = AngleOfText(angle);
    if (hemisphere.startsWith(QLatin1Char('S')))
        degrees = -degrees;
    aton->GetPosition()->SetLatitude(degrees);
    if (!hasHemisphere)
        return DecodeFieldError;

    if (!sentence.GetString(5, angle))
        return DecodeFieldError;
    hasHemisphere = sentence.GetString(6, hemisphere);
    degrees = AngleOfText(angle);
    if (hemisphere.startsWith(QLatin1Char('W')))
        degrees = -degrees;
    aton->GetPosition()->SetLongitude(degrees);
    if (!hasHemisphere)
        return DecodeFieldError;

    if (!sentence.GetInt(7, value))
        return DecodeFieldError;
    aton->SetPositionAccuracy(value);
    if (!sentence.GetInt(10, value))
        return DecodeFieldError;
    aton->SetChannel1(value);
    if (!sentence.GetInt(11, value))
        return DecodeFieldError;
    aton->SetChannel2(value);
    if (!sentence.GetInt(13, value))
        return DecodeFieldError;
    aton->SetTypeOfAtoN(value);
    if (!sentence.GetInt(14, value))
        return DecodeFieldError;
    aton->SetAcfField14(value);

    QChar status;
    if (!sentence.GetChar(15, status) || status != QLatin1Char('R'))
        return DecodeFieldError;
    return DecodeOk;
}

#ifndef POSITIONSURVEY_H
#define POSITIONSURVEY_H

#include <QElapsedTimer>
#include <QObject>
#include <QString>
#include <QTimer>

class UnitStatus;

// A nominal position taken from the unit's own receiver on site: its fixes
// averaged over a while, with their spread (the 2D standard deviation, in
// metres) and the receiver's HDOP as they come. The mean is offered only
// when every fix of the while was valid and they kept within the off-position
// threshold; nothing is sent to the unit, the engineer takes the mean or not.
class PositionSurvey : public QObject
{
    Q_OBJECT

public:
    // The first fix must come this soon after the start, as a receiver with
    // a fix tells one every second.
    static constexpr int FirstFixLimitMs = 5000;
    // Fewer fixes say nothing of their spread.
    static constexpr int MinimumFixes = 2;

    enum class State
    {
        Idle,
        WaitingForFix,
        Running,
        Done,   // the mean is offered
        Refused // Problem() says why
    };

    // status must outlive the survey.
    explicit PositionSurvey(const UnitStatus *status, QObject *parent = nullptr);

    // Averages the fixes that come within durationMs from now; a spread
    // beyond thresholdMetres refuses the mean. A survey under way starts
    // afresh.
    void Start(qint64 durationMs, int thresholdMetres);
    // The engineer ends it early: refused, nothing offered.
    void Cancel();

    State CurrentState() const { return state; }
    bool IsRunning() const { return state == State::WaitingForFix || state == State::Running; }
    int Count() const { return count; }
    // Metres; 0 until there are two fixes.
    double SpreadMetres() const;
    // The receiver's last HDOP; negative when it has not told one.
    double Hdop() const { return hdop; }
    // The mean position in signed decimal degrees; meaningful once Count() > 0.
    double MeanLatitude() const;
    double MeanLongitude() const;
    // degrees to the ten-thousandth of a minute a unit keeps of a position.
    static double UnitResolution(double degrees);
    qint64 RemainingMs() const;
    // Why the mean is not offered.
    QString Problem() const { return problem; }

    // "12 fixes, spread 2.4 m, HDOP 0.9, 48 s left", for a survey under way.
    QString ProgressText() const;
    // What the survey found: the mean with its count, spread and HDOP, or
    // the problem.
    QString ResultText() const;

signals:
    // A fix was counted, or the state changed.
    void Changed();
    // The survey ended: Done or Refused.
    void Finished(bool offered);

private:
    void OnFix();
    void Refuse(const QString &why);
    void End();

    const UnitStatus *status;
    QTimer firstFixLimit;
    QTimer duration;
    QElapsedTimer clock;
    qint64 durationMs = 0;
    int thresholdMetres = 0;
    quint64 generation = 0;
    State state = State::Idle;
    QString problem;

    // Running mean and sum of squared deviations (Welford) of the fixes in
    // metres east and north of the first one.
    int count = 0;
    double originLatitude = 0.0;
    double originLongitude = 0.0;
    double metresPerDegreeEast = 0.0;
    double meanEast = 0.0;
    double meanNorth = 0.0;
    double squaresEast = 0.0;
    double squaresNorth = 0.0;
    double hdop = -1.0;
};

#endif // POSITIONSURVEY_H

#ifndef NMEASHELLCOMMAND_H
#define NMEASHELLCOMMAND_H

#include "sentences/parsedsentence.h"

#include <QObject>
#include <QString>

// One command of the unit's text shell, carried in the proprietary sentence
//   $PVKX,0,<access level>,<access code>,<mode>,<command>,<tag>
// and answered by
//   $PVKX,255,<command>,<tag>,<answer text>
// The command recognises its answer among the received sentences and turns it
// into signals, or, for "nvgeti" and "nvseti", into a lantern interface value
// of the parent Model.
class NmeaShellCommand : public QObject
{
    Q_OBJECT

public:
    enum ParseResult
    {
        ShellAnswered = 1,           // this command's answer, handled
        ShellBadAnswer = 0,          // a shell answer that is not 255 or lacks a field
        ShellOtherCommand = -1,      // the answer to another command
        ShellWrongManufacturer = -4, // a proprietary sentence of another maker
        ShellWrongTalker = -5,       // not a proprietary sentence
        ShellInvalid = -6            // the line failed its length, shape or checksum check
    };

    // The access code sent with each access level.
    static constexpr int AccessLevels = 4;
    static const char *const AccessCodes[AccessLevels];
    // The sentence carries at most this many characters of the command.
    static constexpr int MaxCommandInSentence = 50;

    // The command text is kept escaped. Commands whose answers go into the
    // model ("nvgeti") get the Model as parent.
    NmeaShellCommand(const QString &command, int accessLevel, int mode, int tag,
                     QObject *parent = nullptr);

    // The sentence to send, "\r\n" included.
    QString Sentence() const;
    // Recognises and handles this command's answer; returns a ParseResult.
    // An answer whose text the command cannot use (empty, not a number, out
    // of range) is a bad answer and changes nothing.
    int Parse(ParsedSentence sentence);
    // The second maker code under which answers are taken (the "VendorID"
    // setting of the installation); "VKX" is always taken.
    void SetVendorId(const QString &code) { vendorId = code; }
    // Why the last bad answer was refused.
    QString Problem() const { return problem; }

    QString Command() const { return command; }
    int AccessLevel() const { return accessLevel; }
    int Mode() const { return mode; }
    int Tag() const { return tag; }
    QString Response() const { return response; }

signals:
    void VSWR(double ratio);
    void VIN(double voltage);
    void Version(QString version);
    void Variant(QString variant);
    void BootloaderVersion(QString version);
    void PCASerialNumber(QString version);
    void ProductSerialNumber(QString version);
    void AtoNType(int atonType);
    void BatteryVoltage(QString voltage);
    void showLimParams();

private:
    QString AnswerProblem(const QString &text) const;
    bool IsLanternCommand() const;
    // The parameter name between the double quotes of an nvgeti or nvseti.
    QString LanternName() const;
    void HandleAnswer();
    void StoreLanternValue();

    QString command;
    int accessLevel;
    int mode;
    int tag;
    QString response;
    QString problem;
    QString vendorId;
};

#endif // NMEASHELLCOMMAND_H

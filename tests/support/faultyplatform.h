#ifndef FAULTYPLATFORM_H
#define FAULTYPLATFORM_H

#include "platform/posixplatform.h"

#include <cerrno>

// The system's platform, but the chosen call of a save fails with the chosen
// error (a close fails after the descriptor is gone, as a real one does):
// a full disk or a failing one without a small file system to fill. Put in
// place with Platform::Replace.
class FaultyPlatform : public PosixPlatform
{
public:
    enum Call
    {
        NoCall,
        WriteCall,
        SyncCall,
        CloseCall,
    };
    Call failing = NoCall;
    int error = EIO;

    bool Write(Handle file, const char *bytes, qint64 length, int *error) override
    {
        return Fails(WriteCall, error) && PosixPlatform::Write(file, bytes, length, error);
    }
    bool Sync(Handle file, int *error) override
    {
        return Fails(SyncCall, error) && PosixPlatform::Sync(file, error);
    }
    bool Close(Handle file, int *error) override
    {
        return PosixPlatform::Close(file, error) && Fails(CloseCall, error);
    }

private:
    bool Fails(Call call, int *code) const
    {
        if (failing != call)
            return true;
        *code = error;
        return false;
    }
};

#endif // FAULTYPLATFORM_H

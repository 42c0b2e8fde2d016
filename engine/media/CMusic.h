#pragma once

#include "foundation/CXObject.h"
#include "foundation/CXString.h"

#include <memory>

class CSndStream;
class MediaWindow;

// The engine window's one background-music channel: at most one stream at a time, kept with
// the name of its file so that the window can tell whether a requested music already plays.
class CMusic : public CXObject {
public:
    explicit CMusic(MediaWindow* window);
    ~CMusic() override;
    CMusic(const CMusic&) = delete;
    CMusic& operator=(const CMusic&) = delete;

    // A stream that fails to open is kept, silent; the caller stops the music before.
    void start(const CXString& name, bool loop);
    void stop();
    // False without a stream, and once a music that does not loop has played out.
    bool isPlaying() const;
    virtual CXString getFileName() { return fileName_; }

    // In the device's units; nothing without a stream. The volume is 0 then.
    void setVolume(int volume);
    void setPan(int pan);
    void setFreq(int frequency);
    int getVolume() const;

private:
    MediaWindow* window_;
    std::unique_ptr<CSndStream> stream_;
    CXString fileName_;
};

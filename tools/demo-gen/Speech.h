#pragma once

#include <string>

#include "demo-gen/Wave.h"

namespace tovra::demo {

enum class SpeechStyle {
    Callout,       // the driver, close to the microphone
    Announcement,  // a conductor over the train's loudspeakers
};

// Spoken Japanese from espeak-ng on the command line. When espeak-ng is not
// installed (or `useVoice` is false) every phrase becomes a short tone
// pattern, so that the data set is complete either way.
class Speech {
  public:
    explicit Speech(bool useVoice);
    bool speaks() const { return available_; }
    // `kana`: the phrase in kana, which espeak-ng reads best.
    Samples say(const std::string& kana, SpeechStyle style) const;

  private:
    Samples voice(const std::string& kana, SpeechStyle style) const;
    bool available_;
};

}  // namespace tovra::demo

// The control elements of the test card, in two variants of a typical
// soundcard (see TestcardElements.cpp for the table):
// - "enum": the recording source is chosen by an "Input Source"
//   enumeration, as on many newer codecs;
// - "switches": by a "Capture Source" enumeration, which the simple mixer
//   turns into an exclusive capture switch on each source element, as on
//   many older codecs;
// - "boost": "enum" with a "Mic Boost Volume", a gain named without a
//   direction, as on many codecs.
// Both share the playback side: Master, PCM, a mono Mic, Line and CD, each
// with volume and switch, and a Capture volume and switch.
//
// Threads: plain data, any thread.
#pragma once

#include <string>
#include <vector>

namespace moravel::testcard {

enum class ElementKind { Integer, Boolean, Enumerated };

struct ElementSpec {
    std::string name;  // the control's name ("Master Playback Volume")
    ElementKind kind = ElementKind::Integer;
    unsigned channels = 1;
    long min = 0, max = 1;           // Integer: the range; Boolean 0..1; Enumerated 0..items-1
    std::vector<std::string> items;  // Enumerated: the item names
    long initial = 0;                // every channel's value at open
};

/// The elements of variant `variant` ("enum", "switches", "boost"); empty for an
/// unknown variant.
std::vector<ElementSpec> TestcardElements(const std::string& variant);

}  // namespace moravel::testcard

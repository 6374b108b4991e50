// An ALSA control plugin ("ctl type moravel_testcard") that presents the
// test card of TestcardElements.h, so that the mixer service can be tested
// against ALSA's real simple mixer without a sound card.
//
// Configuration:
//   ctl.NAME { type moravel_testcard  variant "enum" }   ("enum" or "switches")
//   ctl_type.moravel_testcard { lib "/path/to/libasound_module_ctl_moravel_testcard.so" }
//
// Each handle keeps its own values in memory, starting from the table's
// initial values. Like a card's driver, a write that changes an element is
// reported as a value event to every subscribed reader of the handle,
// through an eventfd that is the handle's poll descriptor.
//
// Threads: whatever ALSA allows for one control handle (one at a time).
#include "TestcardElements.h"

#include <alsa/asoundlib.h>
#include <alsa/control_external.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <deque>
#include <string>
#include <vector>

namespace moravel::testcard {
namespace {

struct Testcard {
    snd_ctl_ext_t ext{};
    std::vector<ElementSpec> specs;
    std::vector<std::vector<long>> values;  // per element, per channel
    std::deque<std::size_t> events;         // elements whose value changed, oldest first
};

Testcard& CardOf(snd_ctl_ext_t* ext) { return *static_cast<Testcard*>(ext->private_data); }

const ElementSpec* SpecOf(snd_ctl_ext_t* ext, snd_ctl_ext_key_t key) {
    const Testcard& card = CardOf(ext);
    return key < card.specs.size() ? &card.specs[key] : nullptr;
}

void Copy(const char* text, char* field, std::size_t size) {
    std::strncpy(field, text, size - 1);
    field[size - 1] = '\0';
}

// Wakes the poll descriptor; a full counter is already awake.
void Signal(const Testcard& card) {
    const std::uint64_t one = 1;
    [[maybe_unused]] const ssize_t written = write(card.ext.poll_fd, &one, sizeof one);
}

void Drain(const Testcard& card) {
    std::uint64_t count = 0;
    [[maybe_unused]] const ssize_t read_ = read(card.ext.poll_fd, &count, sizeof count);
}

// Stores `next` as element `key`'s values: 1 when that changed something
// (and a subscriber is told), 0 when not, -EINVAL for a value out of range.
int Store(snd_ctl_ext_t* ext, snd_ctl_ext_key_t key, const std::vector<long>& next) {
    Testcard& card = CardOf(ext);
    const ElementSpec& spec = card.specs[key];
    for (const long v : next)
        if (v < spec.min || v > spec.max) return -EINVAL;
    if (card.values[key] == next) return 0;
    card.values[key] = next;
    if (ext->subscribed) {
        card.events.push_back(key);
        Signal(card);
    }
    return 1;
}

int ElemCount(snd_ctl_ext_t* ext) { return static_cast<int>(CardOf(ext).specs.size()); }

int ElemList(snd_ctl_ext_t* ext, unsigned int offset, snd_ctl_elem_id_t* id) {
    const ElementSpec* spec = SpecOf(ext, offset);
    if (!spec) return -EINVAL;
    snd_ctl_elem_id_set_interface(id, SND_CTL_ELEM_IFACE_MIXER);
    snd_ctl_elem_id_set_name(id, spec->name.c_str());
    return 0;
}

snd_ctl_ext_key_t FindElem(snd_ctl_ext_t* ext, const snd_ctl_elem_id_t* id) {
    const std::vector<ElementSpec>& specs = CardOf(ext).specs;
    if (snd_ctl_elem_id_get_index(id) != 0) return SND_CTL_EXT_KEY_NOT_FOUND;
    const char* name = snd_ctl_elem_id_get_name(id);
    const auto found = std::find_if(specs.begin(), specs.end(), [&](const ElementSpec& s) { return s.name == name; });
    return found == specs.end() ? SND_CTL_EXT_KEY_NOT_FOUND : static_cast<snd_ctl_ext_key_t>(found - specs.begin());
}

int GetAttribute(snd_ctl_ext_t* ext, snd_ctl_ext_key_t key, int* type, unsigned int* access, unsigned int* count) {
    const ElementSpec* spec = SpecOf(ext, key);
    if (!spec) return -EINVAL;
    switch (spec->kind) {
        case ElementKind::Integer:
            *type = SND_CTL_ELEM_TYPE_INTEGER;
            break;
        case ElementKind::Boolean:
            *type = SND_CTL_ELEM_TYPE_BOOLEAN;
            break;
        case ElementKind::Enumerated:
            *type = SND_CTL_ELEM_TYPE_ENUMERATED;
            break;
    }
    *access = SND_CTL_EXT_ACCESS_READWRITE;
    *count = spec->channels;
    return 0;
}

int GetIntegerInfo(snd_ctl_ext_t* ext, snd_ctl_ext_key_t key, long* min, long* max, long* step) {
    const ElementSpec* spec = SpecOf(ext, key);
    if (!spec) return -EINVAL;
    *min = spec->min;
    *max = spec->max;
    *step = 1;
    return 0;
}

int GetEnumeratedInfo(snd_ctl_ext_t* ext, snd_ctl_ext_key_t key, unsigned int* items) {
    const ElementSpec* spec = SpecOf(ext, key);
    if (!spec || spec->kind != ElementKind::Enumerated) return -EINVAL;
    *items = static_cast<unsigned>(spec->items.size());
    return 0;
}

int GetEnumeratedName(snd_ctl_ext_t* ext, snd_ctl_ext_key_t key, unsigned int item, char* name, size_t size) {
    const ElementSpec* spec = SpecOf(ext, key);
    if (!spec || item >= spec->items.size() || size == 0) return -EINVAL;
    Copy(spec->items[item].c_str(), name, size);
    return 0;
}

int ReadInteger(snd_ctl_ext_t* ext, snd_ctl_ext_key_t key, long* value) {
    if (!SpecOf(ext, key)) return -EINVAL;
    const std::vector<long>& current = CardOf(ext).values[key];
    std::copy(current.begin(), current.end(), value);
    return 0;
}

int WriteInteger(snd_ctl_ext_t* ext, snd_ctl_ext_key_t key, long* value) {
    const ElementSpec* spec = SpecOf(ext, key);
    if (!spec) return -EINVAL;
    return Store(ext, key, std::vector<long>(value, value + spec->channels));
}

int ReadEnumerated(snd_ctl_ext_t* ext, snd_ctl_ext_key_t key, unsigned int* items) {
    if (!SpecOf(ext, key)) return -EINVAL;
    const std::vector<long>& current = CardOf(ext).values[key];
    std::transform(current.begin(), current.end(), items, [](long v) { return static_cast<unsigned>(v); });
    return 0;
}

int WriteEnumerated(snd_ctl_ext_t* ext, snd_ctl_ext_key_t key, unsigned int* items) {
    const ElementSpec* spec = SpecOf(ext, key);
    if (!spec) return -EINVAL;
    return Store(ext, key, std::vector<long>(items, items + spec->channels));
}

void SubscribeEvents(snd_ctl_ext_t* ext, int subscribe) {
    Testcard& card = CardOf(ext);
    if (subscribe) return;
    card.events.clear();
    Drain(card);
}

// One pending event, or -EAGAIN (with the descriptor quiet) when none is left.
int ReadEvent(snd_ctl_ext_t* ext, snd_ctl_elem_id_t* id, unsigned int* mask) {
    Testcard& card = CardOf(ext);
    if (card.events.empty()) {
        Drain(card);
        return -EAGAIN;
    }
    const std::size_t element = card.events.front();
    card.events.pop_front();
    if (card.events.empty()) Drain(card);
    snd_ctl_elem_id_clear(id);
    snd_ctl_elem_id_set_interface(id, SND_CTL_ELEM_IFACE_MIXER);
    snd_ctl_elem_id_set_name(id, card.specs[element].name.c_str());
    *mask = SND_CTL_EVENT_MASK_VALUE;
    return 1;
}

void Close(snd_ctl_ext_t* ext) {
    Testcard* card = &CardOf(ext);
    close(card->ext.poll_fd);
    delete card;
}

const snd_ctl_ext_callback_t kCallbacks = [] {
    snd_ctl_ext_callback_t c{};
    c.close = Close;
    c.elem_count = ElemCount;
    c.elem_list = ElemList;
    c.find_elem = FindElem;
    c.get_attribute = GetAttribute;
    c.get_integer_info = GetIntegerInfo;
    c.get_enumerated_info = GetEnumeratedInfo;
    c.get_enumerated_name = GetEnumeratedName;
    c.read_integer = ReadInteger;
    c.read_enumerated = ReadEnumerated;
    c.write_integer = WriteInteger;
    c.write_enumerated = WriteEnumerated;
    c.subscribe_events = SubscribeEvents;
    c.read_event = ReadEvent;
    return c;
}();

// The "variant" of the plugin's configuration; "enum" when it has none.
int ReadVariant(snd_config_t* conf, std::string& variant) {
    variant = "enum";
    snd_config_iterator_t i, next;
    snd_config_for_each(i, next, conf) {
        snd_config_t* node = snd_config_iterator_entry(i);
        const char* key = nullptr;
        if (snd_config_get_id(node, &key) < 0) continue;
        const std::string id = key;
        if (id == "comment" || id == "type" || id == "hint") continue;
        const char* value = nullptr;
        if (id != "variant" || snd_config_get_string(node, &value) < 0) return -EINVAL;
        variant = value;
    }
    return 0;
}

void Describe(snd_ctl_ext_t& ext, const std::string& variant) {
    ext.version = SND_CTL_EXT_VERSION;
    ext.card_idx = 0;
    Copy("Testcard", ext.id, sizeof ext.id);
    Copy("Testcard", ext.driver, sizeof ext.driver);
    Copy("Moravel Test Card", ext.name, sizeof ext.name);
    Copy(("Moravel Test Card (" + variant + ")").c_str(), ext.longname, sizeof ext.longname);
    Copy("Testcard Codec", ext.mixername, sizeof ext.mixername);
    ext.callback = &kCallbacks;
}

}  // namespace
}  // namespace moravel::testcard

extern "C" SND_CTL_PLUGIN_DEFINE_FUNC(moravel_testcard) {
    using namespace moravel::testcard;
    (void)root;
    std::string variant;
    if (const int err = ReadVariant(conf, variant); err < 0) return err;
    auto* card = new Testcard;
    card->specs = TestcardElements(variant);
    if (card->specs.empty()) {
        delete card;
        return -EINVAL;
    }
    for (const ElementSpec& spec : card->specs) card->values.emplace_back(spec.channels, spec.initial);
    Describe(card->ext, variant);
    card->ext.private_data = card;
    card->ext.poll_fd = eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC);
    const int err = card->ext.poll_fd < 0 ? -errno : snd_ctl_ext_create(&card->ext, name, mode);
    if (err < 0) {
        if (card->ext.poll_fd >= 0) close(card->ext.poll_fd);
        delete card;
        return err;
    }
    *handlep = card->ext.handle;
    return 0;
}

SND_CTL_PLUGIN_SYMBOL(moravel_testcard)

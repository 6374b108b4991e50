#include "audio/alsa/SoundServerDevices.h"

#include <pulse/pulseaudio.h>

#include <memory>

namespace moravel::alsa {

namespace {

using Clock = std::chrono::steady_clock;

// One query: the main loop, the context and what the callbacks gathered.
struct Query {
    pa_mainloop* loop = nullptr;
    pa_context* context = nullptr;
    ServerDeviceLists lists;
    int pendingLists = 0;
    bool failed = false;

    ~Query() {
        if (context) {
            pa_context_disconnect(context);
            pa_context_unref(context);
        }
        if (loop) pa_mainloop_free(loop);
    }
};

void OnSource(pa_context*, const pa_source_info* info, int eol, void* data) {
    auto* query = static_cast<Query*>(data);
    if (eol != 0) {
        --query->pendingLists;
        return;
    }
    query->lists.sources.push_back({info->name ? info->name : "", info->description ? info->description : "",
                                    info->monitor_of_sink != PA_INVALID_INDEX});
}

void OnSink(pa_context*, const pa_sink_info* info, int eol, void* data) {
    auto* query = static_cast<Query*>(data);
    if (eol != 0) {
        --query->pendingLists;
        return;
    }
    query->lists.sinks.push_back({info->name ? info->name : "", info->description ? info->description : "", false});
}

// Runs the loop until `done` holds, the query failed or `deadline` passed;
// false when it did not get there.
template <typename Done>
bool RunUntil(Query& query, Clock::time_point deadline, Done done) {
    while (!done() && !query.failed) {
        const auto left = std::chrono::duration_cast<std::chrono::microseconds>(deadline - Clock::now());
        if (left.count() <= 0) return false;
        if (pa_mainloop_prepare(query.loop, static_cast<int>(left.count())) < 0 || pa_mainloop_poll(query.loop) < 0 ||
            pa_mainloop_dispatch(query.loop) < 0)
            return false;
        const pa_context_state_t state = pa_context_get_state(query.context);
        if (state == PA_CONTEXT_FAILED || state == PA_CONTEXT_TERMINATED) query.failed = true;
    }
    return done();
}

}  // namespace

ServerDeviceLists ListServerDevices(std::chrono::milliseconds limit) {
    const Clock::time_point deadline = Clock::now() + limit;
    Query query;
    query.loop = pa_mainloop_new();
    if (!query.loop) return {};
    query.context = pa_context_new(pa_mainloop_get_api(query.loop), "Moravel device list");
    if (!query.context || pa_context_connect(query.context, nullptr, PA_CONTEXT_NOAUTOSPAWN, nullptr) < 0) return {};
    const auto ready = [&query] { return pa_context_get_state(query.context) == PA_CONTEXT_READY; };
    if (!RunUntil(query, deadline, ready)) return {};
    for (pa_operation* asked : {pa_context_get_source_info_list(query.context, OnSource, &query),
                                pa_context_get_sink_info_list(query.context, OnSink, &query)}) {
        if (!asked) return {};
        pa_operation_unref(asked);
        ++query.pendingLists;
    }
    if (!RunUntil(query, deadline, [&query] { return query.pendingLists == 0; })) return {};
    query.lists.answered = true;
    return std::move(query.lists);
}

bool ServerDeviceLists::Has(const std::string& name) const {
    for (const auto* list : {&sources, &sinks})
        for (const ServerDevice& device : *list)
            if (device.name == name) return true;
    return false;
}

}  // namespace moravel::alsa

#include "engine/audio/PcmMixStream.h"

#include "engine/audio/PcmMixChannel.h"
#include "engine/audio/PcmMixModule.h"

namespace {

constexpr u32 kGranularityBytes = 4;


void refillStream(void* context, u32 played, u32 written) {
    static_cast<PcmMixStream*>(context)->Refill(played, written);
}

u32 keepIfAny(u32 mask, u32 group) { return (mask & group) ? (mask & group) : mask; }

u32 roundUp(u32 value, u32 multiple) { return (value + multiple - 1) / multiple * multiple; }

}  // namespace

PcmMixStream::~PcmMixStream() {
    if (device) device->Close();
}

u16 PcmMixStream::Open(u16 id, const plat::WaveFormat* clientFormat) {
    if (created) return plat::kMmErrError;
    const PcmMixSettings& settings = pcmMixModule().settings;
    const u16 error = pcmMixOpenDevice(id, &device);
    if (error) return error;
    deviceId = id;
    capabilities = device->Capabilities();
    ring = nullptr;
    deviceMixing = settings.enableDeviceMixing && (capabilities & kDeviceCanMixStreams);
    created = true;
    if (deviceMixing && clientFormat) {
        format = *clientFormat;
        granularity = 1;
        if (Start() == plat::kMmNoError) return plat::kMmNoError;
    }
    ChooseFormat();
    return plat::kMmNoError;
}

void PcmMixStream::ChooseFormat() {
    const PcmMixSettings& settings = pcmMixModule().settings;
    u32 baseRate = 0;
    u32 mask = 0;
    device->FormatInfo(&baseRate, &mask);
    mask = keepIfAny(mask, settings.frameRate == 11025 ? kFormats11k
                           : settings.frameRate == 44100 ? kFormats44k
                                                         : kFormats22k);
    mask = keepIfAny(mask, settings.sampleSize == 16 ? kFormats16Bit : kFormats8Bit);
    mask = keepIfAny(mask, settings.stereo ? kFormatsStereo : ~kFormatsStereo & kFormatsAll);
    u32 bit = 0;
    for (u32 b = 0; b < 12; ++b)
        if (mask & (1u << b)) bit = b;
    formatBit = 1u << bit;
    const u32 layout = bit % 4;
    format = plat::makePcmFormat(baseRate << (bit / 4), (layout & 1) ? 2 : 1, layout >= 2 ? 16 : 8);
    granularity = std::max<u32>(1, kGranularityBytes / format.blockAlign);
}

u16 PcmMixStream::Start() {
    if (started) return plat::kMmNoError;
    const u16 error = device->Open(format, refillStream, this);
    if (error) return error;
    started = true;
    return plat::kMmNoError;
}

void PcmMixStream::AddChannel(PcmMixChannel* channel) {
    PcmMixDeviceLock lock(*this);
    if (!ring) {
        ring = channel;
        channel->next = channel->prev = channel;
    } else {
        channel->next = ring;
        channel->prev = ring->prev;
        ring->prev->next = channel;
        ring->prev = channel;
    }
    ++channelCount;
}

void PcmMixStream::RemoveChannel(PcmMixChannel* channel) {
    {
        PcmMixDeviceLock lock(*this);
        --channelCount;
        if (channel->next == channel) {
            ring = nullptr;
        } else {
            channel->prev->next = channel->next;
            channel->next->prev = channel->prev;
            if (ring == channel) ring = channel->next;
        }
        channel->next = channel->prev = nullptr;
        if (channelCount != 0) return;
        // Stopped and cleared under one lock: a refill slipping in between would leave the
        // mixed-up-to mark at the old position after the stop restarts the positions at 0.
        StopDevice();
    }
}

void PcmMixStream::StopDevice() {
    if (device->Stop() != plat::kMmNoError) return;
    mixedTo = 0;
    quiet = false;
}

u32 PcmMixStream::RestartPosition(u32 written) const { return roundUp(written, granularity); }

u32 PcmMixStream::WrittenPosition() {
    u32 played = 0;
    u32 written = 0;
    device->GetPositions(&played, &written);
    return written;
}

void PcmMixStream::FillSilence(u8* destination, u32 frames) const {
    const PcmMixKernelTable& kernels = pcmMixModule().kernels;
    const u32 samples = frames * format.channels;
    if (format.bitsPerSample == 8)
        kernels.fillBytes(destination, kSilence8, samples);
    else
        kernels.fillWords(destination, kSilence16, samples);
}

void PcmMixStream::Refill(u32 played, u32 written) {
    if (pcmMixBefore(mixedTo, written)) mixedTo = written;
    PcmMixChannel* channel = ring;
    bool queued = false;
    for (u16 i = 0; i < channelCount && channel; ++i, channel = channel->next) {
        channel->Advance(played);
        queued = queued || channel->HasQueue();
    }
    // With nothing left to play, the device stops once the last sound's frames have had time
    // to leave it (its threads and the machine's sound thread rest), until a write plays it.
    if (queued) {
        quiet = false;
    } else if (!quiet) {
        quiet = true;
        quietFrom = played;
    } else if (!pcmMixBefore(played, quietFrom + format.samplesPerSec / 2)) {
        StopDevice();
        return;
    }
    if (played != 0 && remixPending)
        Remix(RestartPosition(written));
    else
        MixFrom(mixedTo);
}

u16 PcmMixStream::MixFrom(u32 p) {
    MixerRegions regions;
    const u16 error = device->GetBuffer(p, &regions);
    if (error) return error;
    if (regions.secondFrames != 0)
        regions.secondFrames -= regions.secondFrames % granularity;
    else if (regions.firstFrames > granularity)
        regions.firstFrames -= regions.firstFrames % granularity;
    if (regions.firstFrames != 0) {
        MixRegion(p, regions.first, regions.firstFrames);
        if (regions.secondFrames != 0) MixRegion(p + regions.firstFrames, regions.second, regions.secondFrames);
    }
    mixedTo = p + regions.firstFrames + regions.secondFrames;
    device->ReleaseBuffer();
    return plat::kMmNoError;
}

void PcmMixStream::MixRegion(u32 p, u8* destination, u32 frames) {
    bool first = true;
    PcmMixChannel* channel = ring;
    for (u16 i = 0; i < channelCount && channel; ++i, channel = channel->next) {
        if (channel->Render(p, destination, frames, first)) first = false;
    }
    if (first) FillSilence(destination, frames);
}

void PcmMixStream::Remix(u32 p) {
    PcmMixChannel* channel = ring;
    for (u16 i = 0; i < channelCount && channel; ++i, channel = channel->next) {
        if (channel->HasQueue() && !channel->IsPaused() && !channel->IsPlaying()) channel->StartQueueAt(p);
    }
    MixFrom(p);
    remixPending = false;
}

void PcmMixStream::RenderChannel(PcmMixChannel& channel, u32 p) {
    if (!pcmMixBefore(p, mixedTo)) return;
    MixerRegions regions;
    if (device->GetBuffer(p, &regions) != plat::kMmNoError) return;
    const u32 span = mixedTo - p;
    if (regions.firstFrames >= span) {
        regions.firstFrames = span;
        regions.secondFrames = 0;
    } else {
        regions.secondFrames = std::min(regions.secondFrames, span - regions.firstFrames);
    }
    channel.Render(p, regions.first, regions.firstFrames, false);
    if (regions.secondFrames != 0) channel.Render(p + regions.firstFrames, regions.second, regions.secondFrames, false);
    device->ReleaseBuffer();
}

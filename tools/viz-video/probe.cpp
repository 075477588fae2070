#include "tools/viz-video/probe.h"

#include <cstdio>
#include <vector>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
}

namespace tevaro::vizvideo {

bool describeMedia(const std::string& path, std::string& description) {
    AVFormatContext* format = nullptr;
    if (avformat_open_input(&format, path.c_str(), nullptr, nullptr) < 0) return false;
    bool ok = avformat_find_stream_info(format, nullptr) >= 0;
    std::vector<AVCodecContext*> decoders(format->nb_streams, nullptr);
    std::vector<long long> decoded(format->nb_streams, 0);
    for (unsigned i = 0; ok && i < format->nb_streams; ++i) {
        const AVCodec* codec = avcodec_find_decoder(format->streams[i]->codecpar->codec_id);
        decoders[i] = codec != nullptr ? avcodec_alloc_context3(codec) : nullptr;
        ok = decoders[i] != nullptr && avcodec_parameters_to_context(decoders[i], format->streams[i]->codecpar) >= 0 &&
             avcodec_open2(decoders[i], codec, nullptr) >= 0;
    }
    AVPacket* packet = av_packet_alloc();
    AVFrame* frame = av_frame_alloc();
    auto receive = [&](unsigned s) {
        while (avcodec_receive_frame(decoders[s], frame) >= 0)
            decoded[s] += decoders[s]->codec_type == AVMEDIA_TYPE_AUDIO ? frame->nb_samples : 1;
    };
    while (ok && av_read_frame(format, packet) >= 0) {
        const auto s = static_cast<unsigned>(packet->stream_index);
        if (avcodec_send_packet(decoders[s], packet) < 0) ok = false;
        receive(s);
        av_packet_unref(packet);
    }
    for (unsigned s = 0; ok && s < format->nb_streams; ++s) {
        avcodec_send_packet(decoders[s], nullptr);
        receive(s);
        const AVCodecParameters* p = format->streams[s]->codecpar;
        char line[160];
        if (p->codec_type == AVMEDIA_TYPE_VIDEO)
            std::snprintf(line, sizeof line, "video %s %dx%d frames %lld\n", avcodec_get_name(p->codec_id), p->width,
                          p->height, decoded[s]);
        else
            std::snprintf(line, sizeof line, "audio %s %d Hz %d channels %.2f s\n", avcodec_get_name(p->codec_id),
                          p->sample_rate, p->ch_layout.nb_channels,
                          p->sample_rate > 0 ? static_cast<double>(decoded[s]) / p->sample_rate : 0.0);
        description += line;
    }
    av_frame_free(&frame);
    av_packet_free(&packet);
    for (AVCodecContext* d : decoders) avcodec_free_context(&d);
    avformat_close_input(&format);
    return ok;
}

}  // namespace tevaro::vizvideo

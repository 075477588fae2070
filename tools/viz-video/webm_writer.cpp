#include "tools/viz-video/webm_writer.h"

#include <algorithm>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/channel_layout.h>
#include <libavutil/imgutils.h>
#include <libavutil/opt.h>
#include <libswscale/swscale.h>
}

namespace tevaro::vizvideo {

struct WebmWriter::State {
    AVFormatContext* format = nullptr;
    AVCodecContext* video = nullptr;
    AVCodecContext* audio = nullptr;
    AVStream* videoStream = nullptr;
    AVStream* audioStream = nullptr;
    SwsContext* scale = nullptr;
    AVFrame* picture = nullptr;
    AVFrame* sound = nullptr;
    AVPacket* packet = nullptr;
    int width = 0, height = 0;
    std::int64_t videoPts = 0, audioPts = 0;
    std::vector<float> pending[2];  // samples waiting for a whole audio frame
    bool opened = false;
};

WebmWriter::WebmWriter() : s_(std::make_unique<State>()) {}

WebmWriter::~WebmWriter() {
    sws_freeContext(s_->scale);
    av_frame_free(&s_->picture);
    av_frame_free(&s_->sound);
    av_packet_free(&s_->packet);
    avcodec_free_context(&s_->video);
    avcodec_free_context(&s_->audio);
    if (s_->format != nullptr) {
        if (s_->opened) avio_closep(&s_->format->pb);
        avformat_free_context(s_->format);
    }
}

namespace {

bool drain(AVCodecContext* codec, AVStream* stream, AVFormatContext* format, AVPacket* packet) {
    for (;;) {
        const int rc = avcodec_receive_packet(codec, packet);
        if (rc == AVERROR(EAGAIN) || rc == AVERROR_EOF) return true;
        if (rc < 0) return false;
        av_packet_rescale_ts(packet, codec->time_base, stream->time_base);
        packet->stream_index = stream->index;
        if (av_interleaved_write_frame(format, packet) < 0) return false;
    }
}

}  // namespace

bool WebmWriter::open(const std::string& path, int width, int height, int fps, int sampleRate, std::string& error) {
    State& s = *s_;
    s.width = width;
    s.height = height;
    if (avformat_alloc_output_context2(&s.format, nullptr, "webm", path.c_str()) < 0)
        return error = "no WebM muxer", false;
    const AVCodec* vp8 = avcodec_find_encoder_by_name("libvpx");
    const AVCodec* vorbis = avcodec_find_encoder_by_name("libvorbis");
    if (vp8 == nullptr || vorbis == nullptr) return error = "libavcodec lacks the libvpx or libvorbis encoder", false;

    s.video = avcodec_alloc_context3(vp8);
    s.video->width = width;
    s.video->height = height;
    s.video->pix_fmt = AV_PIX_FMT_YUV420P;
    s.video->time_base = AVRational{1, fps};
    s.video->framerate = AVRational{fps, 1};
    s.video->bit_rate = 4000000;
    s.video->gop_size = fps * 2;
    av_opt_set(s.video->priv_data, "crf", "8", 0);  // sharp stars on black need a high quality
    av_opt_set(s.video->priv_data, "deadline", "good", 0);
    s.audio = avcodec_alloc_context3(vorbis);
    s.audio->sample_fmt = AV_SAMPLE_FMT_FLTP;
    s.audio->sample_rate = sampleRate;
    av_channel_layout_default(&s.audio->ch_layout, 2);
    s.audio->bit_rate = 192000;
    s.audio->time_base = AVRational{1, sampleRate};
    if (s.format->oformat->flags & AVFMT_GLOBALHEADER) {
        s.video->flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
        s.audio->flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
    }
    if (avcodec_open2(s.video, vp8, nullptr) < 0) return error = "the VP8 encoder refused its settings", false;
    if (avcodec_open2(s.audio, vorbis, nullptr) < 0) return error = "the Vorbis encoder refused its settings", false;
    s.videoStream = avformat_new_stream(s.format, nullptr);
    s.audioStream = avformat_new_stream(s.format, nullptr);
    avcodec_parameters_from_context(s.videoStream->codecpar, s.video);
    avcodec_parameters_from_context(s.audioStream->codecpar, s.audio);
    s.videoStream->time_base = s.video->time_base;
    s.audioStream->time_base = s.audio->time_base;
    if (avio_open(&s.format->pb, path.c_str(), AVIO_FLAG_WRITE) < 0) return error = "cannot write " + path, false;
    s.opened = true;
    if (avformat_write_header(s.format, nullptr) < 0) return error = "cannot write the WebM header", false;

    s.scale = sws_getContext(width, height, AV_PIX_FMT_RGB24, width, height, AV_PIX_FMT_YUV420P, SWS_BICUBIC, nullptr,
                             nullptr, nullptr);
    s.picture = av_frame_alloc();
    s.picture->format = AV_PIX_FMT_YUV420P;
    s.picture->width = width;
    s.picture->height = height;
    s.sound = av_frame_alloc();
    s.sound->format = AV_SAMPLE_FMT_FLTP;
    s.sound->sample_rate = sampleRate;
    av_channel_layout_copy(&s.sound->ch_layout, &s.audio->ch_layout);
    s.sound->nb_samples = s.audio->frame_size > 0 ? s.audio->frame_size : 1024;
    s.packet = av_packet_alloc();
    if (s.scale == nullptr || av_frame_get_buffer(s.picture, 0) < 0 || av_frame_get_buffer(s.sound, 0) < 0)
        return error = "out of memory", false;
    return true;
}

bool WebmWriter::addFrame(const std::uint8_t* rgb, const float* stereo, int sampleFrames) {
    State& s = *s_;
    if (av_frame_make_writable(s.picture) < 0) return false;
    const std::uint8_t* rows[1] = {rgb};
    const int strides[1] = {3 * s.width};
    sws_scale(s.scale, rows, strides, 0, s.height, s.picture->data, s.picture->linesize);
    s.picture->pts = s.videoPts++;
    if (avcodec_send_frame(s.video, s.picture) < 0 || !drain(s.video, s.videoStream, s.format, s.packet)) return false;

    for (int i = 0; i < sampleFrames; ++i) {
        s.pending[0].push_back(stereo[2 * i]);
        s.pending[1].push_back(stereo[2 * i + 1]);
    }
    const auto size = static_cast<std::size_t>(s.sound->nb_samples);
    while (s.pending[0].size() >= size) {
        if (av_frame_make_writable(s.sound) < 0) return false;
        for (int c = 0; c < 2; ++c) {
            auto* out = reinterpret_cast<float*>(s.sound->data[c]);
            std::copy_n(s.pending[c].begin(), size, out);
            s.pending[c].erase(s.pending[c].begin(), s.pending[c].begin() + static_cast<std::ptrdiff_t>(size));
        }
        s.sound->pts = s.audioPts;
        s.audioPts += static_cast<std::int64_t>(size);
        if (avcodec_send_frame(s.audio, s.sound) < 0 || !drain(s.audio, s.audioStream, s.format, s.packet))
            return false;
    }
    return true;
}

bool WebmWriter::finish() {
    State& s = *s_;
    avcodec_send_frame(s.video, nullptr);
    avcodec_send_frame(s.audio, nullptr);
    if (!drain(s.video, s.videoStream, s.format, s.packet) || !drain(s.audio, s.audioStream, s.format, s.packet))
        return false;
    return av_write_trailer(s.format) == 0;
}

}  // namespace tevaro::vizvideo

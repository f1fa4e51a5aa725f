/* An ALSA output plugin for tests and benchmarks: a device that takes samples at the pace of
 * real playback and throws them away. Used as
 *     pcm_type.paced { lib "/absolute/path/libasound_module_pcm_paced.so" }
 *     pcm.!default { type paced }
 * If the environment names a file in PACED_PCM_LOG, the CLOCK_MONOTONIC time (in nanoseconds)
 * of every first transfer after a prepare is appended to it, one line each. */
#include <alsa/asoundlib.h>
#include <alsa/pcm_external.h>
#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>
#include <sys/timerfd.h>
#include <time.h>
#include <unistd.h>

typedef struct {
  snd_pcm_ioplug_t io;
  int timer;
  uint64_t written;  /* frames taken since the last prepare */
  uint64_t consumed; /* frames "heard" up to the start of the current run */
  uint64_t started;  /* CLOCK_MONOTONIC of the current run's start, ns; 0: not running */
  int logged;
} paced_t;

static uint64_t now_ns(void) {
  struct timespec t;
  clock_gettime(CLOCK_MONOTONIC, &t);
  return (uint64_t)t.tv_sec * 1000000000u + (uint64_t)t.tv_nsec;
}

static uint64_t heard(paced_t* p) {
  uint64_t frames = p->consumed;
  if (p->started) frames += (now_ns() - p->started) * p->io.rate / 1000000000u;
  return frames < p->written ? frames : p->written;
}

static int paced_start(snd_pcm_ioplug_t* io) {
  paced_t* p = io->private_data;
  struct itimerspec every = {{0, 2000000}, {0, 2000000}};
  p->started = now_ns();
  timerfd_settime(p->timer, 0, &every, NULL);
  return 0;
}

static int paced_stop(snd_pcm_ioplug_t* io) {
  paced_t* p = io->private_data;
  struct itimerspec never = {{0, 0}, {0, 0}};
  p->consumed = heard(p);
  p->started = 0;
  timerfd_settime(p->timer, 0, &never, NULL);
  return 0;
}

static snd_pcm_sframes_t paced_pointer(snd_pcm_ioplug_t* io) {
  paced_t* p = io->private_data;
  uint64_t frames = heard(p);
  if (p->started && frames >= p->written) return -EPIPE; /* played out: an underrun */
  return (snd_pcm_sframes_t)(frames % io->buffer_size);
}

static snd_pcm_sframes_t paced_transfer(snd_pcm_ioplug_t* io, const snd_pcm_channel_area_t* areas,
                                        snd_pcm_uframes_t offset, snd_pcm_uframes_t size) {
  paced_t* p = io->private_data;
  (void)areas;
  (void)offset;
  if (!p->logged) {
    const char* log = getenv("PACED_PCM_LOG");
    p->logged = 1;
    if (log && *log) {
      FILE* f = fopen(log, "a");
      if (f) {
        fprintf(f, "%llu\n", (unsigned long long)now_ns());
        fclose(f);
      }
    }
  }
  p->written += size;
  return (snd_pcm_sframes_t)size;
}

static int paced_prepare(snd_pcm_ioplug_t* io) {
  paced_t* p = io->private_data;
  p->written = p->consumed = p->started = 0;
  p->logged = 0;
  return 0;
}

static int paced_poll_revents(snd_pcm_ioplug_t* io, struct pollfd* fds, unsigned int count,
                              unsigned short* revents) {
  paced_t* p = io->private_data;
  uint64_t expirations;
  (void)fds;
  (void)count;
  if (read(p->timer, &expirations, sizeof expirations) < 0) {
    /* nothing pending */
  }
  *revents = snd_pcm_ioplug_avail(io, io->hw_ptr, io->appl_ptr) > 0 ? POLLOUT : 0;
  return 0;
}

static int paced_close(snd_pcm_ioplug_t* io) {
  paced_t* p = io->private_data;
  close(p->timer);
  free(p);
  return 0;
}

static const snd_pcm_ioplug_callback_t callbacks = {
    .start = paced_start,
    .stop = paced_stop,
    .pointer = paced_pointer,
    .transfer = paced_transfer,
    .close = paced_close,
    .prepare = paced_prepare,
    .poll_revents = paced_poll_revents,
};

SND_PCM_PLUGIN_DEFINE_FUNC(paced) {
  static const unsigned int accesses[] = {SND_PCM_ACCESS_RW_INTERLEAVED};
  static const unsigned int formats[] = {SND_PCM_FORMAT_S16};
  paced_t* p;
  int err;
  (void)root;
  (void)conf;
  if (stream != SND_PCM_STREAM_PLAYBACK) return -EINVAL;
  p = calloc(1, sizeof *p);
  if (!p) return -ENOMEM;
  p->timer = timerfd_create(CLOCK_MONOTONIC, TFD_NONBLOCK | TFD_CLOEXEC);
  p->io.version = SND_PCM_IOPLUG_VERSION;
  p->io.name = "paced test output";
  p->io.callback = &callbacks;
  p->io.private_data = p;
  p->io.poll_fd = p->timer;
  p->io.poll_events = POLLIN;
  p->io.mmap_rw = 0;
  err = snd_pcm_ioplug_create(&p->io, name, stream, mode);
  if (err < 0) {
    close(p->timer);
    free(p);
    return err;
  }
  snd_pcm_ioplug_set_param_list(&p->io, SND_PCM_IOPLUG_HW_ACCESS, 1, accesses);
  snd_pcm_ioplug_set_param_list(&p->io, SND_PCM_IOPLUG_HW_FORMAT, 1, formats);
  snd_pcm_ioplug_set_param_minmax(&p->io, SND_PCM_IOPLUG_HW_CHANNELS, 1, 2);
  snd_pcm_ioplug_set_param_minmax(&p->io, SND_PCM_IOPLUG_HW_RATE, 8000, 48000);
  snd_pcm_ioplug_set_param_minmax(&p->io, SND_PCM_IOPLUG_HW_PERIOD_BYTES, 256, 64 * 1024);
  snd_pcm_ioplug_set_param_minmax(&p->io, SND_PCM_IOPLUG_HW_PERIODS, 2, 64);
  *pcmp = p->io.pcm;
  return 0;
}

SND_PCM_PLUGIN_SYMBOL(paced);

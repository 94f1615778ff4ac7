// Until sound and music land: silent.
#include "audio/audio_lifecycle.h"

void UseNullAudio() {}
void AudioStartup() {}
void PlayTitleMusic() {}
void ReleaseMusicSegment() {}
void AudioShutdown() {}

// Sound and music start-up and shutdown for the application shell.
#pragma once

void UseNullAudio();
void AudioStartup();
void PlayTitleMusic();
void ReleaseMusicSegment();
void AudioShutdown();

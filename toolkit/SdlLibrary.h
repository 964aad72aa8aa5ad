#pragma once

#include <SDL.h>

#include <QString>

// The parts of SDL the sound uses. SDL is loaded when the first sound needs it rather than linked
// to the program: what it brings along (sound servers, windowing libraries the sound never uses)
// would otherwise be loaded and bound before the first window could show.
struct TSdlLibrary {
    decltype(&SDL_GetError) GetError;
    decltype(&SDL_AudioInit) AudioInit;
    decltype(&SDL_AudioQuit) AudioQuit;
    decltype(&SDL_GetCurrentAudioDriver) GetCurrentAudioDriver;
    decltype(&SDL_OpenAudioDevice) OpenAudioDevice;
    decltype(&SDL_PauseAudioDevice) PauseAudioDevice;
    decltype(&SDL_CloseAudioDevice) CloseAudioDevice;
    decltype(&SDL_RWFromFP) RWFromFP;
    decltype(&SDL_LoadWAV_RW) LoadWAV_RW;
    decltype(&SDL_FreeWAV) FreeWAV;
    decltype(&SDL_BuildAudioCVT) BuildAudioCVT;
    decltype(&SDL_ConvertAudio) ConvertAudio;
};

// Loads SDL once, from any thread. Null when it cannot be loaded; `why` then says why.
const TSdlLibrary* Sdl(QString* why = nullptr);

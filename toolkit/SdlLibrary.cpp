#include "toolkit/SdlLibrary.h"

#include <dlfcn.h>

namespace {

struct TLoaded {
    TSdlLibrary library{};
    bool complete = false;
    QString failure;
};

template <typename Function>
bool Find(void* handle, Function& function, const char* name)
{
    function = reinterpret_cast<Function>(dlsym(handle, name));
    return function != nullptr;
}

TLoaded Load()
{
    TLoaded loaded;
    void* handle = dlopen("libSDL2-2.0.so.0", RTLD_NOW | RTLD_LOCAL);
    if (!handle) {
        loaded.failure = QString::fromLocal8Bit(dlerror());
        return loaded;
    }
    TSdlLibrary& l = loaded.library;
    loaded.complete = Find(handle, l.GetError, "SDL_GetError") && Find(handle, l.AudioInit, "SDL_AudioInit")
                      && Find(handle, l.AudioQuit, "SDL_AudioQuit") && Find(handle, l.GetCurrentAudioDriver, "SDL_GetCurrentAudioDriver")
                      && Find(handle, l.OpenAudioDevice, "SDL_OpenAudioDevice") && Find(handle, l.PauseAudioDevice, "SDL_PauseAudioDevice")
                      && Find(handle, l.CloseAudioDevice, "SDL_CloseAudioDevice") && Find(handle, l.RWFromFP, "SDL_RWFromFP")
                      && Find(handle, l.LoadWAV_RW, "SDL_LoadWAV_RW") && Find(handle, l.FreeWAV, "SDL_FreeWAV")
                      && Find(handle, l.BuildAudioCVT, "SDL_BuildAudioCVT") && Find(handle, l.ConvertAudio, "SDL_ConvertAudio");
    if (!loaded.complete)
        loaded.failure = QString::fromLocal8Bit(dlerror());
    // Never unloaded: the audio thread runs SDL's code until the program ends.
    return loaded;
}

} // namespace

const TSdlLibrary* Sdl(QString* why)
{
    static const TLoaded* loaded = new TLoaded(Load());
    if (!loaded->complete && why)
        *why = loaded->failure;
    return loaded->complete ? &loaded->library : nullptr;
}

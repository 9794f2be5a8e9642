#include "PeerSaturate.h"

#include <dlfcn.h>

#include <algorithm>
#include <cstring>

PeerSaturate::PeerSaturate (const std::string& libraryPath, double sampleRate, int numChannels, int maxBlockSize,
                            float mode, float gainDecibels)
{
    library = dlopen (libraryPath.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (library == nullptr)
    {
        problem = "cannot load " + libraryPath + " (Debian package caps)";
        return;
    }

    const auto descriptorAt = reinterpret_cast<LADSPA_Descriptor_Function> (dlsym (library, "ladspa_descriptor"));
    for (unsigned long i = 0; descriptorAt != nullptr && descriptor == nullptr; ++i)
    {
        const auto* candidate = descriptorAt (i);
        if (candidate == nullptr)
            break;
        if (std::strcmp (candidate->Label, "Saturate") == 0)
            descriptor = candidate;
    }
    if (descriptor == nullptr)
    {
        problem = "no Saturate plug-in in " + libraryPath;
        return;
    }

    for (int channel = 0; channel < numChannels; ++channel)
    {
        Instance instance;
        instance.handle = descriptor->instantiate (descriptor, static_cast<unsigned long> (sampleRate));
        if (instance.handle == nullptr)
        {
            problem = "Saturate did not instantiate";
            return;
        }
        instance.controls.assign (descriptor->PortCount, 0.0f);
        instance.input.assign (static_cast<size_t> (maxBlockSize), 0.0f);
        instance.output.assign (static_cast<size_t> (maxBlockSize), 0.0f);

        for (unsigned long port = 0; port < descriptor->PortCount; ++port)
        {
            const auto kind = descriptor->PortDescriptors[port];
            const std::string name = descriptor->PortNames[port];
            if (LADSPA_IS_PORT_AUDIO (kind))
            {
                auto& samples = LADSPA_IS_PORT_INPUT (kind) ? instance.input : instance.output;
                descriptor->connect_port (instance.handle, port, samples.data());
                continue;
            }
            if (name == "mode")
                instance.controls[port] = mode;
            else if (name.rfind ("gain", 0) == 0)
                instance.controls[port] = gainDecibels;
            descriptor->connect_port (instance.handle, port, &instance.controls[port]);
        }

        if (descriptor->activate != nullptr)
            descriptor->activate (instance.handle);
        instances.push_back (std::move (instance));
    }
}

PeerSaturate::~PeerSaturate()
{
    for (auto& instance : instances)
        if (descriptor != nullptr && instance.handle != nullptr)
        {
            if (descriptor->deactivate != nullptr)
                descriptor->deactivate (instance.handle);
            descriptor->cleanup (instance.handle);
        }
    if (library != nullptr)
        dlclose (library);
}

void PeerSaturate::process (float* const* channels, int numSamples)
{
    for (size_t channel = 0; channel < instances.size(); ++channel)
    {
        auto& instance = instances[channel];
        std::copy_n (channels[channel], numSamples, instance.input.data());
        descriptor->run (instance.handle, static_cast<unsigned long> (numSamples));
        std::copy_n (instance.output.data(), numSamples, channels[channel]);
    }
}

#pragma once

#include <map>
#include <string>

// The property by which both emitters name the prefab they build each particle from.
inline constexpr const char* kParticlePrefabProperty = "ParticlePrefab";

// Who names a particle prefab: a prefab and the type of its emitter component.
struct ParticleRequest {
    std::string Prefab;
    std::string Emitter;

    // prefab "Pcl_AntChunks", Pcl_EmitOnceBhv.ParticlePrefab
    std::string Describe() const { return "prefab \"" + Prefab + "\", " + Emitter + "." + kParticlePrefabProperty; }
};

// Every particle prefab that a component of a loaded prefab names by "ParticlePrefab",
// each with the first prefab naming it. An emitter whose prefab is missing emits
// nothing, so the start-up tells these. None without a prefab manager.
std::map<std::string, ParticleRequest> ParticlesAskedForByEmitters();

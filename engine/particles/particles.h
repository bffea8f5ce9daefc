#ifndef __CC_PARTICLES_MODULE_H__
#define __CC_PARTICLES_MODULE_H__

// Umbrella of the particles module: include every public header of the module here.

#include "particles/ccParticleImageData.h"
#include "particles/CCParticleSystem.h"
#include "particles/CCParticleSystemQuad.h"

#endif

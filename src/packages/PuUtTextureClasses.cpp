#include "packages/PuUtFont.h"
#include "packages/PuUtPalette.h"
#include "packages/PuUtRegistry.h"
#include "packages/PuUtTexture.h"

namespace packages {

void RegisterTextureClasses() {
  RegisterUTObjectClass("Cubemap", UTObjectClass<TUTObjectClassCubeMap>());
  RegisterUTObjectClass("Palette", UTObjectClass<TUTObjectClassPalette>());
  RegisterUTObjectClass("Font", UTObjectClass<TUTObjectClassFont>());
  RegisterUTObjectClass("Texture", UTObjectClass<TUTObjectClassTexture>());
  RegisterUTObjectClass("FireTexture", UTObjectClass<TUTObjectClassFireTexture>());
  RegisterUTObjectClass("IceTexture", UTObjectClass<TUTObjectClassIceTexture>());
  RegisterUTObjectClass("WaterTexture", UTObjectClass<TUTObjectClassWaterTexture>());
  RegisterUTObjectClass("WaveTexture", UTObjectClass<TUTObjectClassWaveTexture>());
  RegisterUTObjectClass("WetTexture", UTObjectClass<TUTObjectClassWetTexture>());
  RegisterUTObjectClass("FluidTexture", UTObjectClass<TUTObjectClassFluidTexture>());
  RegisterUTObjectClass("ScriptedTexture", UTObjectClass<TUTObjectClassScriptedTexture>());
}

}  // namespace packages

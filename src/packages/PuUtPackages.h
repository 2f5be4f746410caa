#pragma once

// The package reader's core in one include.

#include "packages/PuUtErrors.h"
#include "packages/PuUtNatives.h"
#include "packages/PuUtObject.h"
#include "packages/PuUtPackage.h"
#include "packages/PuUtProperty.h"
#include "packages/PuUtRegistry.h"
#include "packages/PuUtStream.h"
#include "packages/PuUtTables.h"

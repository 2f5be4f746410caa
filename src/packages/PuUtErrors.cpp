#include "packages/PuUtErrors.h"

namespace packages {

EInvalidUTPackage::EInvalidUTPackage() : EUTPackageError("ERROR! This isn't an Unreal package") {}

EProcessingUTPackage::EProcessingUTPackage(const std::string& fileName, const std::string& cause)
    : EUTPackageError("Exception processing package " + fileName + "\r\n" + cause) {}

EReadingUTProperty::EReadingUTProperty(const std::string& propertyName, std::string cause)
    : EUTPackageError("Exception reading property " + propertyName), FCause(std::move(cause)) {}

EUTObjectNotRead::EUTObjectNotRead(const std::string& objectName)
    : EUTPackageError(objectName + ": ReadObject was not called for this object!") {}

}  // namespace packages

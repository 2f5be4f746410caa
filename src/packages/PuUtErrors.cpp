#include "packages/PuUtErrors.h"

namespace packages {

EInvalidUTPackage::EInvalidUTPackage() : EUTPackageError("ERROR! This isn't an Unreal package") {}

EProcessingUTPackage::EProcessingUTPackage(const std::string& fileName, const std::string& cause)
    : EUTPackageError("Exception processing package " + fileName + "\r\n" + cause) {}

EUnreadableUTTables::EUnreadableUTTables(const std::string& fileName, const std::string& reason)
    : EUTPackageError(fileName + ": its tables could not be read: " + reason) {}

EReadingUTProperty::EReadingUTProperty(const std::string& propertyName, std::string cause)
    : EUTPackageError("Exception reading property " + propertyName), FCause(std::move(cause)) {}

EUTObjectNotRead::EUTObjectNotRead(const std::string& objectName)
    : EUTPackageError(objectName + ": ReadObject was not called for this object!") {}

}  // namespace packages

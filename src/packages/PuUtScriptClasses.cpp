// The script class set of the class registry: text buffers and every
// definition record of compiled script packages.

#include "packages/PuUtRegistry.h"
#include "packages/PuUtStructs.h"
#include "packages/PuUtTextBuffer.h"

namespace packages {

void RegisterScriptClasses() {
  // A class object's export names no class: the empty name is a class.
  RegisterUTObjectClass("", UTObjectClass<TUTObjectClassClass>());
  RegisterUTObjectClass("TextBuffer", UTObjectClass<TUTObjectClassTextBuffer>());
  RegisterUTObjectClass("Field", UTObjectClass<TUTObjectClassField>());
  RegisterUTObjectClass("Const", UTObjectClass<TUTObjectClassConst>());
  RegisterUTObjectClass("Enum", UTObjectClass<TUTObjectClassEnum>());
  RegisterUTObjectClass("Property", UTObjectClass<TUTObjectClassProperty>());
  RegisterUTObjectClass("ByteProperty", UTObjectClass<TUTObjectClassByteProperty>());
  RegisterUTObjectClass("IntProperty", UTObjectClass<TUTObjectClassIntProperty>());
  RegisterUTObjectClass("BoolProperty", UTObjectClass<TUTObjectClassBoolProperty>());
  RegisterUTObjectClass("FloatProperty", UTObjectClass<TUTObjectClassFloatProperty>());
  RegisterUTObjectClass("ObjectProperty", UTObjectClass<TUTObjectClassObjectProperty>());
  RegisterUTObjectClass("ClassProperty", UTObjectClass<TUTObjectClassClassProperty>());
  RegisterUTObjectClass("NameProperty", UTObjectClass<TUTObjectClassNameProperty>());
  RegisterUTObjectClass("StructProperty", UTObjectClass<TUTObjectClassStructProperty>());
  RegisterUTObjectClass("StrProperty", UTObjectClass<TUTObjectClassStrProperty>());
  RegisterUTObjectClass("ArrayProperty", UTObjectClass<TUTObjectClassArrayProperty>());
  RegisterUTObjectClass("FixedArrayProperty", UTObjectClass<TUTObjectClassFixedArrayProperty>());
  RegisterUTObjectClass("MapProperty", UTObjectClass<TUTObjectClassMapProperty>());
  RegisterUTObjectClass("StringProperty", UTObjectClass<TUTObjectClassStringProperty>());
  RegisterUTObjectClass("DelegateProperty", UTObjectClass<TUTObjectClassDelegateProperty>());
  RegisterUTObjectClass("Struct", UTObjectClass<TUTObjectClassStruct>());
  RegisterUTObjectClass("Function", UTObjectClass<TUTObjectClassFunction>());
  RegisterUTObjectClass("State", UTObjectClass<TUTObjectClassState>());
  RegisterUTObjectClass("Class", UTObjectClass<TUTObjectClassClass>());
}

}  // namespace packages

#ifndef __CHARACTER_SETUPS_BINDING_H__
#define __CHARACTER_SETUPS_BINDING_H__

// Script-side forms of CharacterSetups members whose native answer differs.

#include "CCFileUtils.h"
#include "CharacterSetups.h"
#include "GameBindingSupport.h"

NS_CC_BEGIN

/** The table, or nil when the file is missing: a script asks for a table it means to read. */
inline CharacterSetups* script_createCharacterSetups(const char* fileName)
{
    if (!script_isContentName(fileName, "CharacterSetups:create"))
    {
        return NULL;
    }
    CCFileUtils* files = CCFileUtils::sharedFileUtils();
    if (!files->isFileExist(files->fullPathFromRelativePath(fileName)))
    {
        CCLog("ERROR: CharacterSetups::create - no table \"%s\"", fileName ? fileName : "");
        return NULL;
    }
    return CharacterSetups::create(fileName);
}

NS_CC_END

#endif // __CHARACTER_SETUPS_BINDING_H__

# The export tables callers look up by plain name, in both builds: MD.dll's (the
# nine of the library's contract, and the two handle functions only our own
# library has) and the plug-in ABI's five of IFWIC.SPI.
set(MD_CONTRACT_EXPORTS MD_GetMDSFlag MD_GetMDKFlag MD_SetMDKFlag MD_GetItem MD_SetItem
    MD_GetChgFlag MD_SetChgFlag MD_GetExitFlag MD_SetExitFlag)
set(MD_EXPORTS ${MD_CONTRACT_EXPORTS} MD_OpenMDSRise MD_OpenMDSFall)
set(IFWIC_EXPORTS GetPluginInfo IsSupported GetPictureInfo GetPicture GetPreview)

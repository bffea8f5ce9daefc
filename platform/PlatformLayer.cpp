// The platform layer grows with the Windows calls the game needs replaced.
namespace vorn_platform_placeholder {}

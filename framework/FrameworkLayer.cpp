namespace vorn_framework_placeholder {}

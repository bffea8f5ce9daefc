namespace vorn_game_placeholder {}

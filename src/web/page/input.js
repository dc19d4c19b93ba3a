// The player's mouse and keyboard, turned into the game's events. The page decides only where
// a click lands and which key it is; what happens is the game's.
//
// Typing comes through a hidden input that keeps the keyboard focus, so that every keyboard
// layout, dead key and input method works: each committed character is one key of the game.

const BACKSPACE = 8;
const ENTER = 13;
const ESCAPE = 27;
// Pasted text is handed to the module in one piece: more than this is cut off.
const MAX_PASTE = 4096;

// Keys the game takes by name (the rest come as characters).
const NAMED_KEYS = { Backspace: BACKSPACE, Enter: ENTER, Escape: ESCAPE };

function codePoints(text) {
  return [...text].map((character) => character.codePointAt(0));
}

// `game` takes the events (see page.js), `view` maps points and draws what they changed before
// their handler returns, `sounds` wakes on the first one.
export function listen({ stage, canvas, keys, view, game, sounds }) {
  let touch = false;
  // A handler whose event may reach the game: what the event changed is drawn at its end.
  const drawing = (handle) => (event) => {
    handle(event);
    view.drawPending(true);
  };

  // The first click or key of the player lets the page make sound.
  for (const type of ['pointerdown', 'pointerup', 'keydown']) {
    window.addEventListener(type, () => sounds.wake(), { capture: true });
  }

  const takeKeyboard = () => {
    // On a touch screen the on-screen keyboard comes up only where there is a box to type in.
    if (touch && !game.typingBox()) keys.blur();
    else keys.focus({ preventScroll: true });
  };

  stage.addEventListener('pointerdown', (event) => {
    touch = event.pointerType === 'touch';
  });

  // The letterbox around the desktop gives the keyboard back to the game too.
  stage.addEventListener('mousedown', (event) => {
    if (event.target === canvas || event.target === keys) return;
    event.preventDefault();
    takeKeyboard();
  });

  canvas.addEventListener('mousedown', drawing((event) => {
    event.preventDefault();  // the hidden input keeps the keyboard
    if (event.button === 0) {
      const point = view.toDesktop(event.clientX, event.clientY);
      // The second press of a double click is a click again only on a command button.
      const second = event.detail >= 2 && event.detail % 2 === 0;
      game.press(point.x, point.y, second);
    }
    takeKeyboard();
  }));
  canvas.addEventListener('contextmenu', (event) => event.preventDefault());

  canvas.addEventListener('mousemove', (event) => {
    const point = view.toDesktop(event.clientX, event.clientY);
    const { tooltip, textBox } = game.pointAt(point.x, point.y);
    if (canvas.title !== tooltip) canvas.title = tooltip;
    canvas.classList.toggle('over-text', textBox);
  });

  window.addEventListener('keydown', drawing((event) => {
    // While a replay plays, no key of the player reaches the game; Escape stops it.
    if (game.watching()) {
      if (event.key === 'Escape') game.stopReplay();
      if (event.key === 'Tab' && event.target === keys) event.preventDefault();
      return;
    }
    // The page's own buttons keep their keys.
    if (event.target !== keys && event.target !== document.body && event.target !== canvas) return;
    if (event.isComposing || event.keyCode === 229) return;  // an input method's own keys
    if (event.key === 'Tab') {
      event.preventDefault();
      if (!event.ctrlKey && !event.altKey && !event.metaKey) game.moveFocus(!event.shiftKey);
      return;
    }
    const named = NAMED_KEYS[event.key];
    if (named !== undefined) {
      // Ctrl+Backspace deletes a word in a line edit: not a key of the game.
      if (!(named === BACKSPACE && (event.ctrlKey || event.metaKey))) game.key(named);
      event.preventDefault();
      return;
    }
    // Ctrl and Meta make shortcuts, not characters (AltGr comes as Ctrl+Alt on some systems).
    if ((event.ctrlKey && !event.altKey) || event.metaKey) return;
    // Away from the hidden input, a character comes only as the key's own.
    if (event.target !== keys && [...event.key].length === 1) {
      event.preventDefault();
      game.key(event.key.codePointAt(0));
    }
  }));

  keys.addEventListener('beforeinput', drawing((event) => {
    switch (event.inputType) {
      case 'insertText':
      case 'insertReplacementText':
        event.preventDefault();
        if (!game.watching()) for (const code of codePoints(event.data ?? '')) game.key(code);
        return;
      case 'insertCompositionText':
      case 'insertFromComposition':
      case 'deleteCompositionText':
        return;  // the input method's own text, committed at the composition's end
      case 'deleteContentBackward':
        event.preventDefault();  // a Backspace whose key the keyboard did not name
        if (!game.watching()) game.key(BACKSPACE);
        return;
      case 'insertLineBreak':
      case 'insertParagraph':
        event.preventDefault();
        if (!game.watching()) game.key(ENTER);
        return;
      case 'insertFromPaste':
      case 'insertFromDrop': {
        event.preventDefault();
        const text = event.dataTransfer?.getData('text/plain') ?? event.data ?? '';
        // A text box holds one line: a pasted text ends at its first line break.
        if (!game.watching()) game.append(text.split(/\r\n|\n|\r/)[0].slice(0, MAX_PASTE));
        return;
      }
      default:
        event.preventDefault();  // cut, delete, undo: the box in the canvas has no selection
    }
  }));

  keys.addEventListener('compositionend', drawing((event) => {
    if (!game.watching()) for (const code of codePoints(event.data ?? '')) game.key(code);
    keys.value = '';
  }));
  keys.addEventListener('input', (event) => {
    if (!event.isComposing) keys.value = '';
  });
}

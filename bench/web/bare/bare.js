// The browser benchmark's reference page: what any page costs that draws a 1024 x 768 canvas
// with text in one web font. It loads the game's font through the FontFace API, draws, and
// draws again within the handler of every mouse press and key, as the game's page does. Its
// hook, window.barePage, counts the frames and times the last draw as the game's
// window.quillonPage does.
const FONT = '../fonts/LiberationSans-Regular.woff2';
const LINES = [
  'Příliš žluťoučký kůň úpěl ďábelské ódy.',
  'Připojení k 155.8.13.76 … navázáno',
  'Statistika: 20 000 Kč, Málo známý',
];

const canvas = document.getElementById('screen');
const context = canvas.getContext('2d');
const drawn = { frames: 0, firstFrameAt: null, lastFrameAt: null, lastDrawStart: null };
let presses = 0;
let typed = '';

function draw() {
  drawn.lastDrawStart = performance.now();
  context.fillStyle = presses % 2 ? 'rgb(0, 0, 128)' : 'rgb(0, 128, 128)';
  context.fillRect(0, 0, canvas.width, canvas.height);
  context.fillStyle = 'rgb(255, 255, 255)';
  context.font = '15px "Bare Sans"';
  LINES.forEach((line, index) => context.fillText(line, 40, 60 + 24 * index));
  context.fillText(`> ${typed}`, 40, 60 + 24 * LINES.length);
  drawn.frames += 1;
  drawn.lastFrameAt = performance.now();
  drawn.firstFrameAt ??= drawn.lastFrameAt;
}

async function start() {
  document.body.style.margin = '0';
  canvas.style.display = 'block';
  const face = new FontFace('Bare Sans', `url(${FONT})`);
  document.fonts.add(await face.load());
  canvas.addEventListener('mousedown', (event) => {
    event.preventDefault();
    presses += 1;
    draw();
  });
  window.addEventListener('keydown', (event) => {
    if (event.key === 'Backspace') typed = typed.slice(0, -1);
    else if (event.key === 'Enter' || event.key === 'Escape') typed = '';
    else if ([...event.key].length === 1) typed += event.key;
    draw();
  });
  window.barePage = Object.freeze({
    get frames() {
      return drawn.frames;
    },
    get firstFrameAt() {
      return drawn.firstFrameAt;
    },
    get lastFrameAt() {
      return drawn.lastFrameAt;
    },
    get lastDrawStart() {
      return drawn.lastDrawStart;
    },
    get lastDrawEnd() {
      return drawn.lastFrameAt;
    },
  });
  requestAnimationFrame(draw);
}

start().catch((error) => {
  document.body.dataset.state = 'failed';
  console.error(error);
});

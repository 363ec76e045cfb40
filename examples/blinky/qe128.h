/* The MC9S08QE128 registers blinky uses, with the bits it sets. */
#ifndef QE128_H
#define QE128_H

#define REG(address) (*(volatile unsigned char *)(address))

/* Ports: data and direction (1 = output). */
#define PTAD REG(0x00)
#define PTBD REG(0x02)
#define PTBDD REG(0x03)

/* Keyboard interrupt 1: its pin n is PTAn. */
#define KBI1SC REG(0x0C)
#define KBI1PE REG(0x0D)
#define KBI1ES REG(0x0E)
#define KBACK 0x04 /* write 1: acknowledge the interrupt */
#define KBIE 0x02

/* Timer 1: status and control, modulo. */
#define TPM1SC REG(0x40)
#define TPM1MODH REG(0x43)
#define TPM1MODL REG(0x44)
#define TOF 0x80
#define TOIE 0x40
#define CLKS_BUS 0x08 /* count the bus clock, prescaler 1 */

/* System: reset status (a write services the watchdog) and options (written once). */
#define SRS REG(0x1800)
#define SOPT1 REG(0x1802)
#define COPT_SHORT 0x40 /* watchdog on, 32 ms of the 1 kHz clock */

/* SDCC places a handler __interrupt(n) at vector 0xFFFE - 2n. */
#define VECTOR_TPM1_OVERFLOW 7 /* 0xFFF0 */
#define VECTOR_KEYBOARD 18     /* 0xFFDA */

#define enable_interrupts() __asm__("cli")
#define wait_for_interrupt() __asm__("wait")

#endif
